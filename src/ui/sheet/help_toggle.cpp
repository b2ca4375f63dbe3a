#include "ui/sheet/help_toggle.h"

#include "ui/sheet/sheet_texts.h"

namespace kestrel {

namespace {
constexpr int kFrameMargin = 5;
}

int HelpToggle::hide(int tabBottom, int helpFrameTop) {
  if (!shown_)
    return 0;
  const int height = tabBottom - helpFrameTop - kFrameMargin;
  shortenedBy_ = height > 0 ? height : 0;
  shown_ = false;
  return shortenedBy_;
}

int HelpToggle::show() {
  if (shown_)
    return 0;
  shown_ = true;
  return shortenedBy_;
}

std::string HelpToggle::buttonText() const {
  return shown_ ? sheet_texts::kCloseHelp : sheet_texts::kHelp;
}

}  // namespace kestrel
