#include "ui/sheet/sheet_buttons.h"

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

}  // namespace kestrel
