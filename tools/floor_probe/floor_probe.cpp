// The idle floor of the tray monitor: a window with the hidden window's one 1000 ms timer
// that, each tick, makes only the requests the monitor's tick must make. No icon, no
// window work. Runs until closed or killed.
#include <windows.h>

#include "floor_requests.h"

namespace kestrel {
namespace {

constexpr UINT_PTR kTimerId = 102;
constexpr UINT kPeriodMs = 1000;

FloorRequests* requests = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_TIMER && w == kTimerId) {
    requests->tick();
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

}  // namespace
}  // namespace kestrel

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  kestrel::FloorRequests requests;
  kestrel::requests = &requests;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = kestrel::Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"FloorProbe";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"FloorProbe", L"floor probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, instance, nullptr);
  SetTimer(window, kestrel::kTimerId, kestrel::kPeriodMs, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0)
    DispatchMessageW(&message);
  return 0;
}
