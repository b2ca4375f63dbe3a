#include "win32/ui/networks/sort_header.h"

#include <commctrl.h>

#include "ui/networks/sort_arrow.h"
#include "win32/window_subclass.h"

namespace kestrel {

namespace {

constexpr UINT_PTR kSubclassId = 0x5348;  // "SH"
constexpr int kSortFlags = HDF_SORTUP | HDF_SORTDOWN | HDF_OWNERDRAW;
constexpr int kTitleCharacters = 128;

}  // namespace

void SortHeader::attach(HWND table) {
  table_ = table;
  InstallSubclass(table_, TableProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void SortHeader::detach() {
  if (table_ != nullptr)
    RemoveSubclass(table_, TableProc, kSubclassId);
  table_ = nullptr;
}

HWND SortHeader::header() const {
  return reinterpret_cast<HWND>(SendMessageW(table_, LVM_GETHEADER, 0, 0));
}

void SortHeader::show(int column, SortDirection direction) {
  HWND items = header();
  const int count = static_cast<int>(SendMessageW(items, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    SendMessageW(items, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    item.fmt &= ~kSortFlags;
    if (i == column)
      item.fmt |=
          HDF_OWNERDRAW | (direction == SortDirection::Ascending ? HDF_SORTUP : HDF_SORTDOWN);
    SendMessageW(items, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  InvalidateRect(items, nullptr, TRUE);
}

// The header has filled the item's background (and draws its edge afterwards); the title
// goes in the header's font and colour, the arrow in the shadow colour.
void SortHeader::draw(const DRAWITEMSTRUCT& drawn) {
  wchar_t title[kTitleCharacters] = {};
  HDITEMW item{};
  item.mask = HDI_FORMAT | HDI_TEXT;
  item.pszText = title;
  item.cchTextMax = kTitleCharacters;
  SendMessageW(drawn.hwndItem, HDM_GETITEMW, drawn.itemID, reinterpret_cast<LPARAM>(&item));
  const SortDirection direction =
      (item.fmt & HDF_SORTDOWN) != 0 ? SortDirection::Descending : SortDirection::Ascending;

  // A pressed item shows its contents one pixel down and right, as the header does.
  const int pressed = (drawn.itemState & ODS_SELECTED) != 0 ? 1 : 0;
  const RECT& r = drawn.rcItem;
  const SortHeaderLayout layout = LayOutSortHeader(
      {r.left + pressed, r.top + pressed, r.right + pressed, r.bottom + pressed}, direction);

  HDC dc = drawn.hDC;
  RECT text{layout.title.left, layout.title.top, layout.title.right, layout.title.bottom};
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextW(dc, title, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  SetBkMode(dc, oldMode);
  if (!layout.arrow)
    return;

  POINT corners[3];
  for (int i = 0; i < 3; ++i)
    corners[i] = {layout.triangle[static_cast<std::size_t>(i)].x,
                  layout.triangle[static_cast<std::size_t>(i)].y};
  HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNSHADOW));
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  Polygon(dc, corners, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
}

LRESULT CALLBACK SortHeader::TableProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self) {
  auto* sortHeader = reinterpret_cast<SortHeader*>(self);
  if (message == WM_DRAWITEM) {
    const auto* drawn = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (drawn->CtlType == ODT_HEADER && drawn->hwndItem == sortHeader->header()) {
      sortHeader->draw(*drawn);
      return TRUE;  // the header then draws no title of its own
    }
  }
  if (message == WM_NCDESTROY)
    RemoveSubclass(window, TableProc, id);
  return CallNextSubclass(window, message, wParam, lParam);
}

}  // namespace kestrel
