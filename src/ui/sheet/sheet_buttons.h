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

}  // namespace kestrel
