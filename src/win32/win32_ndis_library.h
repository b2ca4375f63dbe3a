#pragma once

#include <windows.h>

#include "platform/ndis_request_library.h"
#include "win32/dnin50_abi.h"

namespace kestrel {

// DNIN50.dll through the Windows loader. When the library or one of its functions is
// missing, every call fails the way the library reports failure.
class Win32NdisLibrary : public NdisRequestLibrary {
 public:
  Win32NdisLibrary();
  ~Win32NdisLibrary() override;
  Win32NdisLibrary(const Win32NdisLibrary&) = delete;
  Win32NdisLibrary& operator=(const Win32NdisLibrary&) = delete;

  bool loaded() const { return module_ != nullptr; }

  NdisHandle openAdapter(const char* deviceName) override;
  std::uint32_t makeNdisRequest(NdisHandle adapter, NdisRequestRecord& record,
                                NdisCompletionRecord& completion,
                                std::uint32_t synchronous) override;
  void closeAdapter(NdisHandle adapter) override;
  std::string netCardRegistryPath() override;
  NdisHandle openAdapterEnum(std::uint32_t value) override;
  NdisHandle firstAdapter(NdisHandle enumeration) override;
  NdisHandle nextAdapter(NdisHandle enumeration) override;
  void releaseAdapter(NdisHandle entry) override;
  void closeAdapterEnum(NdisHandle enumeration) override;
  std::uint32_t adapterDescription(NdisHandle entry, char* buffer, std::uint32_t* size) override;
  std::uint32_t adapterDeviceName(NdisHandle entry, char* buffer, std::uint32_t* size) override;

 private:
  HMODULE module_ = nullptr;
  dnin50::OpenAdapterFn openAdapter_ = nullptr;
  dnin50::MakeNdisRequestFn makeNdisRequest_ = nullptr;
  dnin50::CloseAdapterFn closeAdapter_ = nullptr;
  dnin50::GetNetCardRegistryPathFn getNetCardRegistryPath_ = nullptr;
  dnin50::EnumOpenFn enumOpen_ = nullptr;
  dnin50::EnumReleaseFn enumClose_ = nullptr;
  dnin50::EnumHandleFn enumFirst_ = nullptr;
  dnin50::EnumHandleFn enumNext_ = nullptr;
  dnin50::EnumReleaseFn enumRelease_ = nullptr;
  dnin50::EnumTextFn description_ = nullptr;
  dnin50::EnumTextFn deviceName_ = nullptr;
};

class Win32CompletionEvents : public CompletionEvents {
 public:
  void* create() override;
  void close(void* event) override;
};

}  // namespace kestrel
