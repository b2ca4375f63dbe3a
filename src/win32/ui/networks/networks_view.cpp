#include "win32/ui/networks/networks_view.h"

#include <string>

#include "dialogs/pages_ids.h"
#include "resource.h"
#include "ui/app_services.h"
#include "ui/networks/networks_texts.h"
#include "win32/ansi_text.h"
#include "win32/help_pane.h"
#include "win32/ui/pages/page_key_filter.h"

namespace kestrel {

static_assert(kNetworkTableId == IDC_NETWORK_TABLE && kScanStatusId == IDC_SCAN_STATUS &&
              kScanProgressId == IDC_SCAN_PROGRESS && kAdapterChoiceId == IDC_PAGE_ADAPTER_CHOICE);

namespace {

constexpr int kAccessPointImage = 0;
constexpr int kAdHocImage = 1;

HICON SmallIcon(int resource) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                       IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
}

void SetSubItemText(HWND table, int row, int column, const std::string& text) {
  std::wstring wide = WideFromCore(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(table, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

NetworksView::NetworksView(AppServices& services, SheetControl& sheet, SettingsPageLink& settings)
    : services_(services), page_(services, sheet, settings, timers_, collation_) {}

PROPSHEETPAGEW NetworksView::page(HINSTANCE instance) {
  return propertyPage(instance, IDD_NETWORKS_PAGE);
}

HWND NetworksView::table() const {
  return GetDlgItem(hwnd(), IDC_NETWORK_TABLE);
}

BOOL NetworksView::onInitDialog() {
  timers_.setWindow(hwnd());
  controls_ = std::make_unique<Win32ControlSurface>(hwnd());
  buildTable();
  header_.attach(hwnd(), IDC_NETWORKS_HEADER, IDG_HEADER_NETWORK, services_.system);
  page_.OnInitDialog(*controls_, *this);
  return TRUE;
}

void NetworksView::buildTable() {
  HWND list = table();
  images_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
  for (const int icon : {IDI_ACCESS_POINT, IDI_ADHOC}) {
    HICON handle = SmallIcon(icon);
    ImageList_AddIcon(images_, handle);
    DestroyIcon(handle);
  }
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));

  const auto columns = ParseColumnLayout(networks_texts::kColumnLayout);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    std::wstring title = WideFromCore(columns[i].title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = title.data();
    column.cx = columns[i].width;
    column.iSubItem = static_cast<int>(i);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  RECT client{};
  GetClientRect(list, &client);
  const auto widths = NetworkColumnWidths(client.right - client.left);
  for (std::size_t i = 0; i < widths.size(); ++i)
    SendMessageW(list, LVM_SETCOLUMNWIDTH, i, widths[i]);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  sortHeader_.attach(list);
}

void NetworksView::onCommand(int id, std::optional<ControlEvent> event) {
  (void)event;
  if (id == kSheetScanButtonId)
    page_.OnScan();
  else if (id == kSheetConnectButtonId)
    page_.OnConnect();
}

void NetworksView::onTimer(UINT_PTR id) {
  page_.OnTimer(static_cast<std::uint32_t>(id));
}

void NetworksView::onDestroy() {
  page_.OnDestroy();
  DetachPageKeyFilter(hwnd());
  sortHeader_.detach();
  header_.release();
  timers_.setWindow(nullptr);
  if (images_ != nullptr)
    ImageList_Destroy(images_);
  images_ = nullptr;
  controls_.reset();
}

void NetworksView::onSetActive() {
  AttachPageKeyFilter(hwnd(), &NetworksPage::SwallowsKey);
  ShowPageHelp(GetDlgItem(hwnd(), IDC_NETWORKS_HELP), "networks.rtf");
  page_.OnSetActive();
}

// Hidden, the page neither filters keys (the hook costs every message of the thread) nor
// plays its header.
bool NetworksView::onKillActive() {
  DetachPageKeyFilter(hwnd());
  header_.pause();
  return true;
}

INT_PTR NetworksView::onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) {
  (void)w;
  handled = false;
  if (message == WM_PAINT) {
    header_.draw();
    return 0;
  }
  if (message != WM_NOTIFY)
    return 0;
  const auto* header = reinterpret_cast<const NMHDR*>(l);
  if (header->idFrom != IDC_NETWORK_TABLE)
    return 0;
  switch (header->code) {
    case NM_CLICK:
      page_.OnTableClick();
      break;
    case NM_DBLCLK:
      page_.OnTableDoubleClick();
      break;
    case LVN_COLUMNCLICK:
      page_.OnHeaderClick(reinterpret_cast<const NMLISTVIEW*>(l)->iSubItem);
      break;
    default:
      break;
  }
  return 0;
}

void NetworksView::setProgressRange(int minimum, int maximum) {
  SendDlgItemMessageW(hwnd(), IDC_SCAN_PROGRESS, PBM_SETRANGE32, static_cast<WPARAM>(minimum),
                      maximum);
}

void NetworksView::setProgressPosition(int position) {
  SendDlgItemMessageW(hwnd(), IDC_SCAN_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void NetworksView::clearRows() {
  SendMessageW(table(), LVM_DELETEALLITEMS, 0, 0);
}

void NetworksView::appendRow(const SurveyRow& row) {
  HWND list = table();
  std::wstring name = WideFromCore(row.ssidText);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = name.data();
  if (row.picture != SurveyPicture::Default) {
    item.mask |= LVIF_IMAGE;
    item.iImage = row.picture == SurveyPicture::AccessPoint ? kAccessPointImage : kAdHocImage;
  }
  const int index =
      static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (index < 0)
    return;
  for (int column = 1; column < kNetworkColumnCount; ++column)
    SetSubItemText(list, index, column, ColumnText(row, column));
}

int NetworksView::firstSelectedRow() {
  return static_cast<int>(
      SendMessageW(table(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void NetworksView::selectRow(int index) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(table(), LVM_SETITEMSTATE, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
}

void NetworksView::showSortArrow(int column, SortDirection direction) {
  sortHeader_.show(column, direction);
}

}  // namespace kestrel
