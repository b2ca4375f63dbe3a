// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
// clang-format on

#include <algorithm>
#include <vector>

#include "win32/win32_system_ports.h"

namespace kestrel {

namespace {

template <std::size_t N>
std::string BoundedText(const char (&text)[N]) {
  return std::string(text, std::find(text, text + N, '\0'));
}

}  // namespace

bool Win32IpHelper::adapters(std::vector<IpAdapterEntry>& list) {
  ULONG size = 0;
  const DWORD sizing = GetAdaptersInfo(nullptr, &size);
  if ((sizing != ERROR_SUCCESS && sizing != ERROR_BUFFER_OVERFLOW) || size == 0) {
    return false;
  }
  std::vector<std::uint8_t> buffer(size, 0);
  auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  if (GetAdaptersInfo(first, &size) != ERROR_SUCCESS) {
    return false;
  }
  list.clear();
  for (const IP_ADAPTER_INFO* adapter = first; adapter != nullptr; adapter = adapter->Next) {
    list.push_back(
        {BoundedText(adapter->Description), BoundedText(adapter->IpAddressList.IpAddress.String)});
  }
  return true;
}

}  // namespace kestrel
