#include "win32/ui/statistics/statistics_view.h"

#include <algorithm>

#include "dialogs/pages_ids.h"
#include "resource.h"
#include "ui/app_services.h"
#include "win32/help_pane.h"
#include "win32/ui/pages/page_key_filter.h"

namespace kestrel {

static_assert(kChartPlaceholderId == IDC_CHART_PLACEHOLDER && kGaugeId == IDC_GAUGE &&
              kGaugeAreaId == IDC_GAUGE_AREA && kPercentTextId == IDC_PERCENT_TEXT &&
              kTxTotalId == IDC_TX_TOTAL && kRxTotalId == IDC_RX_TOTAL &&
              kTransmitRadioId == IDC_CHART_TRANSMIT && kTotalRadioId == IDC_CHART_TOTAL);
static_assert(IDB_GAUGE_LARGE_EMPTY == 253 && IDB_GAUGE_SMALL_FULL == 273);

namespace {

constexpr COLORREF kPercentText = RGB(0, 255, 0);
constexpr COLORREF kPercentBackground = RGB(0, 0, 0);

RECT ChildRect(HWND page, int id) {
  RECT rect{};
  GetWindowRect(GetDlgItem(page, id), &rect);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0)
    return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

}  // namespace

StatisticsView::StatisticsView(AppServices& services, SheetControl& sheet)
    : services_(services), page_(services, sheet, timers_) {}

StatisticsView::~StatisticsView() {
  releaseGaugeBitmaps();
}

PROPSHEETPAGEW StatisticsView::page(HINSTANCE instance) {
  return propertyPage(instance, IDD_STATISTICS_PAGE);
}

BOOL StatisticsView::onInitDialog() {
  timers_.setWindow(hwnd());
  controls_ = std::make_unique<Win32ControlSurface>(hwnd());
  chart_ = std::make_unique<LineChart>();
  if (chart_->Create(WS_VISIBLE, ChildRect(hwnd(), IDC_CHART_PLACEHOLDER), hwnd(), kChartId))
    chart_->SetRange(kChartLow, kChartHigh);
  header_.attach(hwnd(), IDC_STATISTICS_HEADER, IDG_HEADER_NETWORK, services_.system);
  placeGauge();
  chart_->SetScrollInterval(kStatisticsPeriodMs);
  steadyChart_ =
      std::make_unique<SteadyScrollChart>(static_cast<LoadChart&>(*this), kStatisticsPeriodMs);
  page_.OnInitDialog(*controls_, *steadyChart_, *this);
  return TRUE;
}

// The bitmap pair suits the area's height; the gauge takes the bitmaps' size.
void StatisticsView::placeGauge() {
  releaseGaugeBitmaps();
  const RECT area = ChildRect(hwnd(), IDC_GAUGE_AREA);
  const GaugeBitmaps pair = GaugeBitmapsForHeight(area.bottom - area.top);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  gaugeEmpty_ = LoadBitmapW(instance, MAKEINTRESOURCEW(pair.empty));
  gaugeFull_ = LoadBitmapW(instance, MAKEINTRESOURCEW(pair.full));
  const SIZE size = BitmapSize(gaugeEmpty_);
  SetWindowPos(GetDlgItem(hwnd(), IDC_GAUGE), nullptr, GaugeLeft(area.left, area.right), area.top,
               size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void StatisticsView::releaseGaugeBitmaps() {
  if (gaugeEmpty_ != nullptr)
    DeleteObject(gaugeEmpty_);
  if (gaugeFull_ != nullptr)
    DeleteObject(gaugeFull_);
  gaugeEmpty_ = nullptr;
  gaugeFull_ = nullptr;
}

// The empty picture, with the full one over its lower part as far as the position goes.
void StatisticsView::drawGauge(const DRAWITEMSTRUCT& item) {
  const SIZE size = BitmapSize(gaugeEmpty_);
  if (size.cy <= 0)
    return;
  const int span = std::max(gaugeMaximum_ - gaugeMinimum_, 1);
  const int percent = (gaugePosition_ - gaugeMinimum_) * 100 / span;
  const int lit = GaugeLitHeight(percent, size.cy);
  HDC source = CreateCompatibleDC(item.hDC);
  HGDIOBJ previous = SelectObject(source, gaugeEmpty_);
  BitBlt(item.hDC, 0, 0, size.cx, size.cy - lit, source, 0, 0, SRCCOPY);
  SelectObject(source, gaugeFull_);
  BitBlt(item.hDC, 0, size.cy - lit, size.cx, lit, source, 0, size.cy - lit, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

void StatisticsView::onCommand(int id, std::optional<ControlEvent> event) {
  if (event)
    page_.OnCommand(id, *event);
}

void StatisticsView::onTimer(UINT_PTR id) {
  page_.OnTimer(static_cast<std::uint32_t>(id));
}

void StatisticsView::onDestroy() {
  page_.OnDestroy();
  DetachPageKeyFilter(hwnd());
  header_.release();
  timers_.setWindow(nullptr);
  steadyChart_.reset();
  chart_.reset();
  controls_.reset();
}

void StatisticsView::onSetActive() {
  AttachPageKeyFilter(hwnd(), &StatisticsPage::SwallowsKey);
  ShowPageHelp(GetDlgItem(hwnd(), IDC_STATISTICS_HELP), "statistics.rtf");
  page_.OnSetActive();
}

// Hidden, the page neither filters keys (the hook costs every message of the thread) nor
// plays its header.
bool StatisticsView::onKillActive() {
  DetachPageKeyFilter(hwnd());
  header_.pause();
  return true;
}

INT_PTR StatisticsView::onMessage(UINT message, WPARAM w, LPARAM l, bool& handled) {
  handled = false;
  switch (message) {
    case WM_PAINT:
      header_.draw();
      return 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      if (item->CtlID != IDC_GAUGE)
        return 0;
      drawGauge(*item);
      handled = true;
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      if (GetDlgCtrlID(reinterpret_cast<HWND>(l)) != IDC_PERCENT_TEXT)
        return 0;
      SetTextColor(reinterpret_cast<HDC>(w), kPercentText);
      SetBkColor(reinterpret_cast<HDC>(w), kPercentBackground);
      handled = true;
      return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    default:
      return 0;
  }
}

std::uint32_t StatisticsView::SetScrollInterval(std::uint32_t ms) {
  return chart_ != nullptr ? chart_->SetScrollInterval(ms) : 0;
}

void StatisticsView::AppendValue(int value) {
  if (chart_ != nullptr)
    chart_->AppendValue(value);
}

void StatisticsView::Advance() {
  if (chart_ != nullptr)
    chart_->Advance();
}

void StatisticsView::AdvanceEmpty() {
  if (chart_ != nullptr)
    chart_->AdvanceEmpty();
}

void StatisticsView::setRange(int minimum, int maximum) {
  gaugeMinimum_ = minimum;
  gaugeMaximum_ = maximum;
}

void StatisticsView::setPosition(int position) {
  const int clamped = std::clamp(position, gaugeMinimum_, std::max(gaugeMinimum_, gaugeMaximum_));
  if (clamped == gaugePosition_)
    return;
  gaugePosition_ = clamped;
  InvalidateRect(GetDlgItem(hwnd(), IDC_GAUGE), nullptr, FALSE);
}

}  // namespace kestrel
