#include "shell/os_classification.h"

namespace kestrel {

OsSupport ClassifyOs(const SystemVersionInfo& version, SystemKind& kind) {
  switch (version.family) {
    case PlatformFamily::WindowsNt:
      if (version.major == 5 && version.minor > 0) {
        kind.os = OsKind::Xp;
        kind.servicePackLevel = version.servicePack.empty() ? 0 : 1;
        // Service Pack 3 came after the rule was made and has everything of 2, WMM included.
        if (version.servicePack == "Service Pack 2" || version.servicePack == "Service Pack 3")
          kind.servicePackLevel = 2;
      } else if (version.major == 5) {
        kind.os = OsKind::Win2000;
        kind.servicePackLevel = 1;
      } else if (version.major == 4) {
        kind.os = OsKind::Nt4;
      }
      return OsSupport::Supported;
    case PlatformFamily::Windows9x:
      kind.os = version.minor == 0    ? OsKind::Win95
                : version.minor == 90 ? OsKind::Me
                                      : OsKind::Win98;
      kind.servicePackLevel = kServicePackLevel9x;
      return OsSupport::Supported;
    default:
      return OsSupport::Unsupported;
  }
}

}  // namespace kestrel
