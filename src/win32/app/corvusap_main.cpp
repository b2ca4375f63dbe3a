// corvusap.exe: the KESTREL LX740N tray utility.
#include <windows.h>

#include "win32/ansi_text.h"
#include "win32/app/application.h"
#include "win32/library_search.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  kestrel::RestrictDllSearch();
  kestrel::Application application(instance);
  return application.run(kestrel::CoreFromWide(commandLine != nullptr ? commandLine : L""));
}
