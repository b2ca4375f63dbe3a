#pragma once

#include <windows.h>

#include "platform/dot1x_library.h"
#include "win32/aegis_abi.h"

namespace kestrel {

// The 802.1X client library, bound on the first `load`. A library lacking one of the
// functions the system calls is not used at all; the diagnostic ones are optional.
class Win32Dot1xLibrary : public Dot1xLibrary {
 public:
  Win32Dot1xLibrary() = default;
  ~Win32Dot1xLibrary() override;
  Win32Dot1xLibrary(const Win32Dot1xLibrary&) = delete;
  Win32Dot1xLibrary& operator=(const Win32Dot1xLibrary&) = delete;

  bool load(Dot1xLoadFailure& failure) override;
  AcContext globalOpenContext(const char* applicationName, const char* text) override;
  int contextType(AcContext context) override;
  AcContext iterateAdapters(AcContext global) override;
  AcContext iterateAdaptersNext(AcContext iterator) override;
  AcContext adapterGetMacAddress(AcContext adapter, std::uint8_t mac[6]) override;
  int statusNumber(AcContext result) override;
  AcContext contextCopyHandle(AcContext context) override;
  int contextRelease(AcContext context) override;
  AcContext adapterAuthenticateStop(AcContext adapter) override;
  AcContext contextConfigWpa(AcContext adapter, int enable) override;
  AcContext contextConfigWpaEx(AcContext adapter, int enable, const char* passphrase,
                               const char* networkName, int reserved1, int reserved2) override;
  AcContext configLeapCredentials(AcContext adapter, const char* user,
                                  const char* password) override;
  AcContext configMd5Credentials(AcContext adapter, const char* user,
                                 const char* password) override;
  AcContext configPeapCredentials(AcContext adapter, const char* identity,
                                  const CertificateBlob* caCertificate,
                                  const CertificateBlob* clientCertificate, int option1,
                                  const char* user, const char* password, int option2, int flag1,
                                  int flag2) override;
  AcContext configTlsCredentials(AcContext adapter, const char* identity,
                                 const CertificateBlob* caCertificate,
                                 const CertificateBlob* clientCertificate, int option2, int flag1,
                                 int flag2) override;
  AcContext configTtlsCredentials(AcContext adapter, const char* identity,
                                  const CertificateBlob* caCertificate,
                                  const CertificateBlob* clientCertificate, int option1,
                                  const char* user, const char* password, int option2, int flag1,
                                  int flag2) override;
  AcContext contextAttachEvent(AcContext context, void* event) override;
  AcContext adapterAuthenticate(AcContext adapter, int flags) override;
  AcContext adapterGetName(AcContext adapter, char* buffer, std::uint32_t size) override;
  AcContext statusFormat(AcContext result, char* buffer, std::uint32_t size) override;
  AcContext statusRelatedContext(AcContext result) override;
  AcContext getLogError(AcContext logError, char* buffer, std::uint32_t size) override;
  int credentialsNumber(AcContext credentials) override;
  void* createAutoResetEvent() override;
  void closeEvent(void* event) override;

 private:
  struct Functions {
    aegis::GlobalOpenContextFn globalOpenContext = nullptr;
    aegis::ContextTypeFn contextType = nullptr;
    aegis::ContextFn iterateAdapters = nullptr;
    aegis::ContextFn iterateAdaptersNext = nullptr;
    aegis::GetMacFn adapterGetMacAddress = nullptr;
    aegis::NumberFn statusNumber = nullptr;
    aegis::ContextFn contextCopyHandle = nullptr;
    aegis::NumberFn contextRelease = nullptr;
    aegis::ContextFn adapterAuthenticateStop = nullptr;
    aegis::ConfigWpaFn contextConfigWpa = nullptr;
    aegis::ConfigWpaExFn contextConfigWpaEx = nullptr;
    aegis::UserPasswordFn configLeap = nullptr;
    aegis::UserPasswordFn configMd5 = nullptr;
    aegis::PeapFn configPeap = nullptr;
    aegis::TlsFn configTls = nullptr;
    aegis::PeapFn configTtls = nullptr;
    aegis::AttachEventFn contextAttachEvent = nullptr;
    aegis::AuthenticateFn adapterAuthenticate = nullptr;
    // Diagnostics: may be missing.
    aegis::TextFn adapterGetName = nullptr;
    aegis::TextFn statusFormat = nullptr;
    aegis::ContextFn statusRelatedContext = nullptr;
    aegis::TextFn getLogError = nullptr;
    aegis::NumberFn credentialsNumber = nullptr;
  };

  bool resolve(Dot1xLoadFailure& failure, const char* libraryName);

  HMODULE module_ = nullptr;
  Functions f_;
};

}  // namespace kestrel
