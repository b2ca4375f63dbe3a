// DNIN50.dll's exports over the simulated adapter every process on the machine shares.
#include <windows.h>

// The exports' calling convention. Ours is WINAPI; the x86 tests also build a stand-in with
// __cdecl, as a vendor might have, to show that the utility copes with both.
#ifndef DNIN50_CALL
#define DNIN50_CALL WINAPI
#endif

#include <cstring>

#include "model/simulated_adapter.h"
#include "platform/ndis_request_library.h"
#include "store/shared_adapter_store.h"

namespace {

using kestrel::sim::SharedAdapterState;
using kestrel::sim::SharedAdapterStore;
using kestrel::sim::SimulatedAdapter;

constexpr char kDescription[] = "KESTREL LX740N QX-7+ Wireless PC Card";
constexpr char kDeviceName[] = "\\DEVICE\\{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}";
constexpr char kNetCardPath[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";

// Handles are small cookies: the library has one adapter and one enumeration shape.
const HANDLE kAdapterHandle = reinterpret_cast<HANDLE>(std::intptr_t{0x4E00});
const HANDLE kEnumHandle = reinterpret_cast<HANDLE>(std::intptr_t{0x4900});
const HANDLE kEntryHandle = reinterpret_cast<HANDLE>(std::intptr_t{0x5200});

// Opened on first use, not while the loader runs DllMain.
SharedAdapterStore& Store() {
  static SharedAdapterStore store;
  return store;
}

bool AdapterPresent() {
  bool present = false;
  Store().withState([&](SharedAdapterState& state) { present = state.present != 0; });
  return present;
}

DWORD CopyText(const char* text, LPSTR buffer, LPDWORD size) {
  if (buffer == nullptr || size == nullptr)
    return ERROR_INVALID_PARAMETER;
  const DWORD needed = static_cast<DWORD>(std::strlen(text) + 1);
  if (*size < needed) {
    *size = needed;
    return ERROR_INSUFFICIENT_BUFFER;
  }
  std::memcpy(buffer, text, needed);
  *size = needed;
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" {

HANDLE DNIN50_CALL W32N_OpenAdapterA(LPCSTR deviceName) {
  if (deviceName == nullptr || lstrcmpiA(deviceName, kDeviceName) != 0 || !AdapterPresent())
    return INVALID_HANDLE_VALUE;
  return kAdapterHandle;
}

DWORD DNIN50_CALL W32N_MakeNdisRequest(HANDLE adapter, void* request, OVERLAPPED* completion,
                                       BOOL) {
  if (adapter != kAdapterHandle || request == nullptr)
    return ERROR_INVALID_HANDLE;
  auto* record = static_cast<kestrel::NdisRequestRecord*>(request);
  kestrel::sim::RequestResult result{kestrel::sim::kStatusAdapterNotReady, 0, 0};
  const bool reached = Store().withState([&](SharedAdapterState& state) {
    SimulatedAdapter model(state, Store().clock(), Store().random());
    result =
        model.request(record->requestType, record->oid, static_cast<std::uint8_t*>(record->buffer),
                      record->bufferLength, GetCurrentProcessId());
  });
  if (record->requestType == kestrel::kNdisQueryInformation)
    record->bytesTransferred = result.written;
  record->bytesNeeded = result.needed;
  if (completion != nullptr && completion->hEvent != nullptr)
    SetEvent(completion->hEvent);
  return reached ? result.status : kestrel::sim::kStatusAdapterNotReady;
}

BOOL DNIN50_CALL W32N_CloseAdapter(HANDLE adapter) {
  return adapter == kAdapterHandle ? TRUE : FALSE;
}

LPCSTR DNIN50_CALL W32N_GetNetCardRegistryPath() {
  return kNetCardPath;
}

HANDLE DNIN50_CALL EnumOpen(DWORD) {
  return kEnumHandle;
}
void DNIN50_CALL EnumClose(HANDLE) {}

// A removed card is not listed.
HANDLE DNIN50_CALL EnumFirst(HANDLE enumeration) {
  if (enumeration != kEnumHandle || !AdapterPresent())
    return INVALID_HANDLE_VALUE;
  return kEntryHandle;
}

// One adapter: the list ends after the first entry.
HANDLE DNIN50_CALL EnumNext(HANDLE) {
  return INVALID_HANDLE_VALUE;
}

void DNIN50_CALL EnumRelease(HANDLE) {}

DWORD DNIN50_CALL EnumDescription(HANDLE entry, LPSTR buffer, LPDWORD size) {
  if (entry != kEntryHandle)
    return ERROR_INVALID_HANDLE;
  return CopyText(kDescription, buffer, size);
}

DWORD DNIN50_CALL EnumDeviceName(HANDLE entry, LPSTR buffer, LPDWORD size) {
  if (entry != kEntryHandle)
    return ERROR_INVALID_HANDLE;
  return CopyText(kDeviceName, buffer, size);
}

}  // extern "C"
