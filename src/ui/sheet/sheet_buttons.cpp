#include "ui/sheet/sheet_buttons.h"

#include <algorithm>

namespace kestrel {

ButtonSet ButtonSetFor(SheetPage page) {
  ButtonSet set;
  if (page == SheetPage::Settings) {
    set.apply = true;
    set.cancel = true;
  } else if (page == SheetPage::Networks) {
    set.scan = true;
    set.connect = true;
  }
  return set;
}

void ShowButtonSet(SheetControl& sheet, SheetPage page) {
  const ButtonSet set = ButtonSetFor(page);
  sheet.showButton(SheetButton::Apply, set.apply);
  sheet.showButton(SheetButton::Cancel, set.cancel);
  sheet.showButton(SheetButton::Scan, set.scan);
  sheet.showButton(SheetButton::Connect, set.connect);
  sheet.showButton(SheetButton::Close, set.close);
}

std::vector<SheetPage> PageSet(bool fourPages) {
  if (fourPages)
    return {SheetPage::Settings, SheetPage::Networks, SheetPage::Statistics,
            SheetPage::Information};
  return {SheetPage::Statistics, SheetPage::Information};
}

int OpeningPageIndex(const std::vector<SheetPage>& pages, bool informationRequested) {
  if (!informationRequested)
    return 0;
  const auto found = std::find(pages.begin(), pages.end(), SheetPage::Information);
  return found == pages.end() ? 0 : static_cast<int>(found - pages.begin());
}

}  // namespace kestrel
