#pragma once
// The Help button's state: whether the pages' help panes are shown and by how much the
// sheet was shortened when they were hidden.

#include <string>

namespace kestrel {

class HelpToggle {
 public:
  // The sheet opens with the panes at their full size until it hides them.
  bool shown() const { return shown_; }

  // Hides the panes: the height taken away is the tab control's bottom less the top of the
  // active page's help frame less 5, never negative. Returns it; 0 when already hidden.
  int hide(int tabBottom, int helpFrameTop);
  // Shows them again: returns the height to give back; 0 when already shown.
  int show();

  // "ヘルプ" while hidden, "ヘルプを閉じる" while shown.
  std::string buttonText() const;

 private:
  bool shown_ = true;
  int shortenedBy_ = 0;
};

}  // namespace kestrel
