#include "win32/win32_ndis_library.h"

#include <algorithm>
#include <cstddef>

#include "win32/foreign_call.h"
#include "win32/library_search.h"

namespace kestrel {

namespace {

template <typename Fn>
Fn Resolve(HMODULE module, LPCSTR name) {
  if (module == nullptr)
    return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

template <typename Fn>
Fn ResolveOrdinal(HMODULE module, WORD ordinal) {
  return Resolve<Fn>(module, MAKEINTRESOURCEA(ordinal));
}

HANDLE ToHandle(NdisHandle handle) {
  return reinterpret_cast<HANDLE>(handle);
}
NdisHandle FromHandle(HANDLE handle) {
  return reinterpret_cast<NdisHandle>(handle);
}

// The library's answer is a C text of unknown length: read no more than a registry path
// can hold.
constexpr std::size_t kMaxRegistryPath = 1024;

}  // namespace

Win32NdisLibrary::Win32NdisLibrary() : module_(LoadLibraryBesideProgram(dnin50::kLibraryName)) {
  openAdapter_ = Resolve<dnin50::OpenAdapterFn>(module_, "W32N_OpenAdapterA");
  makeNdisRequest_ = Resolve<dnin50::MakeNdisRequestFn>(module_, "W32N_MakeNdisRequest");
  closeAdapter_ = Resolve<dnin50::CloseAdapterFn>(module_, "W32N_CloseAdapter");
  getNetCardRegistryPath_ =
      Resolve<dnin50::GetNetCardRegistryPathFn>(module_, "W32N_GetNetCardRegistryPath");
  enumOpen_ = ResolveOrdinal<dnin50::EnumOpenFn>(module_, dnin50::kOrdinalEnumOpen);
  enumClose_ = ResolveOrdinal<dnin50::EnumReleaseFn>(module_, dnin50::kOrdinalEnumClose);
  enumFirst_ = ResolveOrdinal<dnin50::EnumHandleFn>(module_, dnin50::kOrdinalEnumFirst);
  enumNext_ = ResolveOrdinal<dnin50::EnumHandleFn>(module_, dnin50::kOrdinalEnumNext);
  enumRelease_ = ResolveOrdinal<dnin50::EnumReleaseFn>(module_, dnin50::kOrdinalEnumRelease);
  description_ = ResolveOrdinal<dnin50::EnumTextFn>(module_, dnin50::kOrdinalDescription);
  deviceName_ = ResolveOrdinal<dnin50::EnumTextFn>(module_, dnin50::kOrdinalDeviceName);
}

Win32NdisLibrary::~Win32NdisLibrary() {
  if (module_ != nullptr)
    FreeLibrary(module_);
}

NdisHandle Win32NdisLibrary::openAdapter(const char* deviceName) {
  if (openAdapter_ == nullptr)
    return kNoNdisHandle;
  return FromHandle(CallForeign(openAdapter_, deviceName));
}

std::uint32_t Win32NdisLibrary::makeNdisRequest(NdisHandle adapter, NdisRequestRecord& record,
                                                NdisCompletionRecord& completion,
                                                std::uint32_t synchronous) {
  static_assert(sizeof(NdisCompletionRecord) == sizeof(OVERLAPPED), "overlapped layout");
  static_assert(offsetof(NdisCompletionRecord, event) == offsetof(OVERLAPPED, hEvent),
                "overlapped layout");
  if (makeNdisRequest_ == nullptr)
    return ERROR_INVALID_FUNCTION;
  return CallForeign(makeNdisRequest_, ToHandle(adapter), &record,
                     reinterpret_cast<OVERLAPPED*>(&completion), synchronous ? TRUE : FALSE);
}

void Win32NdisLibrary::closeAdapter(NdisHandle adapter) {
  if (closeAdapter_ != nullptr)
    CallForeign(closeAdapter_, ToHandle(adapter));
}

std::string Win32NdisLibrary::netCardRegistryPath() {
  if (getNetCardRegistryPath_ == nullptr)
    return {};
  const char* path = CallForeign(getNetCardRegistryPath_);
  if (path == nullptr)
    return {};
  return std::string(path, std::find(path, path + kMaxRegistryPath, '\0'));
}

NdisHandle Win32NdisLibrary::openAdapterEnum(std::uint32_t value) {
  if (enumOpen_ == nullptr)
    return kNoNdisHandle;
  return FromHandle(CallForeign(enumOpen_, value));
}

NdisHandle Win32NdisLibrary::firstAdapter(NdisHandle enumeration) {
  if (enumFirst_ == nullptr)
    return kNoNdisHandle;
  return FromHandle(CallForeign(enumFirst_, ToHandle(enumeration)));
}

NdisHandle Win32NdisLibrary::nextAdapter(NdisHandle enumeration) {
  if (enumNext_ == nullptr)
    return kNoNdisHandle;
  return FromHandle(CallForeign(enumNext_, ToHandle(enumeration)));
}

void Win32NdisLibrary::releaseAdapter(NdisHandle entry) {
  if (enumRelease_ != nullptr)
    CallForeign(enumRelease_, ToHandle(entry));
}

void Win32NdisLibrary::closeAdapterEnum(NdisHandle enumeration) {
  if (enumClose_ != nullptr)
    CallForeign(enumClose_, ToHandle(enumeration));
}

std::uint32_t Win32NdisLibrary::adapterDescription(NdisHandle entry, char* buffer,
                                                   std::uint32_t* size) {
  if (description_ == nullptr)
    return ERROR_INVALID_FUNCTION;
  DWORD inOut = *size;
  const DWORD status = CallForeign(description_, ToHandle(entry), buffer, &inOut);
  *size = inOut;
  return status;
}

std::uint32_t Win32NdisLibrary::adapterDeviceName(NdisHandle entry, char* buffer,
                                                  std::uint32_t* size) {
  if (deviceName_ == nullptr)
    return ERROR_INVALID_FUNCTION;
  DWORD inOut = *size;
  const DWORD status = CallForeign(deviceName_, ToHandle(entry), buffer, &inOut);
  *size = inOut;
  return status;
}

void* Win32CompletionEvents::create() {
  return CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

void Win32CompletionEvents::close(void* event) {
  if (event != nullptr)
    CloseHandle(event);
}

}  // namespace kestrel
