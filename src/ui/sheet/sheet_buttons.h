#pragma once
// Which of the sheet's bottom-row buttons each page shows.

#include <vector>

#include "ui/sheet_services.h"

namespace kestrel {

enum class SheetPage { Settings, Networks, Statistics, Information };

struct ButtonSet {
  bool apply = false;
  bool cancel = false;
  bool scan = false;
  bool connect = false;
  bool close = true;
};

// Settings: Apply, Cancel, Close. Networks: Scan, Connect, Close. The others: Close only.
ButtonSet ButtonSetFor(SheetPage page);
// Shows and hides the five buttons of the row as the page wants them.
void ShowButtonSet(SheetControl& sheet, SheetPage page);

// The pages in tab order: all four, or statistics and information only.
std::vector<SheetPage> PageSet(bool fourPages);
// Page 0, or the information page when it was asked for and is there (index 3 of four, 1
// of two).
int OpeningPageIndex(const std::vector<SheetPage>& pages, bool informationRequested);

}  // namespace kestrel
