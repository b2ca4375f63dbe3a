#include "win32/line_chart.h"

namespace kestrel {

namespace {

constexpr wchar_t kClassName[] = L"KestrelLineChart";
constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kDefaultInterval = 1000;

bool RegisterChartClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, kClassName, &existing))
    return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0;
}

Rgb FromColorref(COLORREF colour) {
  return MakeRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

}  // namespace

LineChart::~LineChart() {
  if (window_ != nullptr)
    DestroyWindow(window_);
}

bool LineChart::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (window_ != nullptr || !RegisterChartClass(instance, WindowProc))
    return false;
  window_ = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", style | WS_CHILD, rect.left,
                            rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, this);
  if (window_ == nullptr)
    return false;

  RECT client{};
  GetClientRect(window_, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like the model's rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC windowDc = GetDC(window_);
  UniqueMemoryDc dc(CreateCompatibleDC(windowDc));
  UniqueGdiObject bitmap(CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ReleaseDC(window_, windowDc);
  if (!dc || !bitmap || bits == nullptr || width <= 0 || height <= 0) {
    DestroyWindow(window_);
    return false;
  }
  image_ = OffscreenImage(std::move(dc), std::move(bitmap));
  pixels_ = PixelView(static_cast<Rgb*>(bits), width, height);
  model_ = std::make_unique<LineChartModel>(pixels_);
  SetScrollInterval(kDefaultInterval);
  InvalidateRect(window_, nullptr, FALSE);
  return true;
}

void LineChart::SetRange(int low, int high) {
  if (model_)
    model_->SetRange(low, high);
}

void LineChart::SetPen(int width, COLORREF colour) {
  if (model_)
    model_->SetPen(width, FromColorref(colour));
}

void LineChart::AppendValue(int value) {
  if (model_)
    model_->AppendValue(value);
}

void LineChart::Advance() {
  if (!model_)
    return;
  model_->Advance();
  if (window_ != nullptr)
    InvalidateRect(window_, nullptr, FALSE);
}

void LineChart::AdvanceEmpty() {
  if (!model_)
    return;
  model_->AdvanceEmpty();
  if (window_ != nullptr)
    InvalidateRect(window_, nullptr, FALSE);
}

UINT LineChart::SetScrollInterval(UINT milliseconds) {
  const UINT previous = interval_;
  if (window_ == nullptr)
    return previous;
  KillTimer(window_, kScrollTimer);
  interval_ = 0;
  if (milliseconds != 0 && SetTimer(window_, kScrollTimer, milliseconds, nullptr) != 0)
    interval_ = milliseconds;
  return previous;
}

COLORREF LineChart::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= pixels_.width() || y >= pixels_.height())
    return CLR_INVALID;
  const Rgb pixel = pixels_.at(x, y);
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void LineChart::paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  if (image_) {
    GdiFlush();  // the model wrote into the DIB's memory directly
    BitBlt(dc, 0, 0, pixels_.width(), pixels_.height(), image_.dc(), 0, 0, SRCCOPY);
  }
  EndPaint(window_, &paint);
}

LRESULT CALLBACK LineChart::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* chart = reinterpret_cast<LineChart*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (chart != nullptr) {
    switch (message) {
      case WM_PAINT:
        chart->paint();
        return 0;
      case WM_ERASEBKGND:
        return 1;  // the blit covers everything
      case WM_TIMER:
        if (wParam == kScrollTimer) {
          chart->Advance();
          return 0;
        }
        break;
      case WM_NCDESTROY:
        KillTimer(window, kScrollTimer);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        chart->window_ = nullptr;
        chart->interval_ = 0;
        break;
      default:
        break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace kestrel
