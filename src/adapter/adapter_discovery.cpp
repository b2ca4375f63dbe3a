#include "adapter/adapter_discovery.h"

#include <algorithm>
#include <cstring>

namespace kestrel {

namespace {

constexpr std::size_t kModelLength = sizeof kModelDescription - 1;
constexpr std::size_t kGuidTextLength = 38;
constexpr int kWin98SkippedMatches = 20;

using EnumText = std::uint32_t (NdisRequestLibrary::*)(NdisHandle, char*, std::uint32_t*);

// Reads one enumeration text into the 260-byte buffer; the text ends at the first NUL
// or at the buffer's last byte, whatever the library claims.
bool ReadEnumText(NdisRequestLibrary& library, EnumText read, NdisHandle entry, std::string& text) {
  char buffer[kAdapterTextBufferSize] = {};
  std::uint32_t size = kAdapterTextBufferSize;
  if ((library.*read)(entry, buffer, &size) != 0) {
    return false;
  }
  buffer[kAdapterTextBufferSize - 1] = '\0';
  text.assign(buffer, std::find(buffer, buffer + kAdapterTextBufferSize, '\0'));
  return true;
}

}  // namespace

bool IsModelDescription(const std::string& description) {
  return description.size() >= kModelLength && description.size() < kModelLength + 5 &&
         description.compare(0, kModelLength, kModelDescription) == 0;
}

AdapterDiscovery::AdapterDiscovery(NdisRequestLibrary& library, DeviceSetup& devices,
                                   const SystemKind& system, AdapterIdentity& identity)
    : library_(library), devices_(devices), system_(system), identity_(identity) {}

bool AdapterDiscovery::readEntry(NdisHandle entry, ZAdapterInfo& info) {
  info.valid =
      ReadEnumText(library_, &NdisRequestLibrary::adapterDescription, entry, info.description) &&
      ReadEnumText(library_, &NdisRequestLibrary::adapterDeviceName, entry, info.deviceName);
  return info.valid;
}

bool AdapterDiscovery::PickAdapter() {
  const NdisHandle enumeration = library_.openAdapterEnum(1);
  if (enumeration == kNoNdisHandle) {
    return false;
  }
  for (NdisHandle entry = library_.firstAdapter(enumeration); entry != kNoNdisHandle;
       entry = library_.nextAdapter(enumeration)) {
    ZAdapterInfo info;
    if (readEntry(entry, info) && IsModelDescription(info.description)) {
      if (system_.os == OsKind::Win98 && identity_.win98SkipCount <= kWin98SkippedMatches) {
        ++identity_.win98SkipCount;
      } else {
        identity_.current = info;
        const std::string& name = info.deviceName;
        identity_.interfaceGuid =
            name.size() > kGuidTextLength ? name.substr(name.size() - kGuidTextLength) : name;
      }
      library_.releaseAdapter(entry);
      library_.closeAdapterEnum(enumeration);
      return true;
    }
    library_.releaseAdapter(entry);
  }
  library_.closeAdapterEnum(enumeration);
  return false;
}

bool AdapterDiscovery::FindAdapterDevice() {
  const auto list = devices_.presentNetworkDevices();
  if (!list) {
    return false;
  }
  std::string id;
  for (std::uint32_t index = 0; list->instanceId(index, id); ++index) {
    if (id.compare(0, sizeof kHardwareIdPrefix - 1, kHardwareIdPrefix) != 0) {
      continue;
    }
    if (system_.os == OsKind::Xp || system_.os == OsKind::Win2000) {
      std::string key;
      if (list->driverKey(index, key)) {
        identity_.driverKey = key;
      }
    }
    return true;
  }
  return false;
}

}  // namespace kestrel
