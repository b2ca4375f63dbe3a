#include "win32/win32_guid_source.h"

#include <rpc.h>
#include <windows.h>

namespace kestrel {

bool Win32GuidSource::createGuidText(std::string& text) {
  UUID uuid;
  const RPC_STATUS created = UuidCreate(&uuid);
  // A GUID unique to this machine only still keys the cipher as well as any.
  if (created != RPC_S_OK && created != RPC_S_UUID_LOCAL_ONLY)
    return false;
  RPC_CSTR formatted = nullptr;
  if (UuidToStringA(&uuid, &formatted) != RPC_S_OK || formatted == nullptr)
    return false;
  text = reinterpret_cast<const char*>(formatted);
  RpcStringFreeA(&formatted);
  return true;
}

}  // namespace kestrel
