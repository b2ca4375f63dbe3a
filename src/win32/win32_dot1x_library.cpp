#include "win32/win32_dot1x_library.h"

#include "win32/foreign_call.h"
#include "win32/library_search.h"

namespace kestrel {

namespace {

template <typename Fn>
bool Bind(HMODULE module, const char* name, Fn& slot) {
  slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return slot != nullptr;
}

std::string NarrowName(const wchar_t* name) {
  std::string text;
  for (const wchar_t* c = name; *c != L'\0'; ++c)
    text += static_cast<char>(*c);
  return text;
}

// An empty text for a diagnostic function the library does not have.
AcContext NoText(char* buffer, std::uint32_t size) {
  if (buffer != nullptr && size > 0)
    buffer[0] = '\0';
  return nullptr;
}

}  // namespace

Win32Dot1xLibrary::~Win32Dot1xLibrary() {
  if (module_ != nullptr)
    FreeLibrary(module_);
}

bool Win32Dot1xLibrary::resolve(Dot1xLoadFailure& failure, const char* libraryName) {
  struct Required {
    const char* name;
    bool bound;
  };
  const Required required[] = {
      {"AcGlobalOpenContextA", Bind(module_, "AcGlobalOpenContextA", f_.globalOpenContext)},
      {"AcContextType", Bind(module_, "AcContextType", f_.contextType)},
      {"AcIterateAdapters", Bind(module_, "AcIterateAdapters", f_.iterateAdapters)},
      {"AcIterateAdaptersNext", Bind(module_, "AcIterateAdaptersNext", f_.iterateAdaptersNext)},
      {"AcAdapterGetMacAddress", Bind(module_, "AcAdapterGetMacAddress", f_.adapterGetMacAddress)},
      {"AcStatusNumber", Bind(module_, "AcStatusNumber", f_.statusNumber)},
      {"AcContextCopyHandle", Bind(module_, "AcContextCopyHandle", f_.contextCopyHandle)},
      {"AcContextRelease", Bind(module_, "AcContextRelease", f_.contextRelease)},
      {"AcAdapterAuthenticateStop",
       Bind(module_, "AcAdapterAuthenticateStop", f_.adapterAuthenticateStop)},
      {"AcContextConfigWpa", Bind(module_, "AcContextConfigWpa", f_.contextConfigWpa)},
      {"AcContextConfigWpaEx", Bind(module_, "AcContextConfigWpaEx", f_.contextConfigWpaEx)},
      {"AcContextConfigLeapCredentialsA",
       Bind(module_, "AcContextConfigLeapCredentialsA", f_.configLeap)},
      {"AcContextConfigMd5CredentialsA",
       Bind(module_, "AcContextConfigMd5CredentialsA", f_.configMd5)},
      {"AcContextConfigPeapCredentialsA",
       Bind(module_, "AcContextConfigPeapCredentialsA", f_.configPeap)},
      {"AcContextConfigTLSCredentialsA",
       Bind(module_, "AcContextConfigTLSCredentialsA", f_.configTls)},
      {"AcContextConfigTTLSCredentialsA",
       Bind(module_, "AcContextConfigTTLSCredentialsA", f_.configTtls)},
      {"AcContextAttachEvent", Bind(module_, "AcContextAttachEvent", f_.contextAttachEvent)},
      {"AcAdapterAuthenticate", Bind(module_, "AcAdapterAuthenticate", f_.adapterAuthenticate)},
  };
  for (const Required& function : required) {
    if (!function.bound) {
      failure.kind = Dot1xLoadFailure::Kind::FunctionNotFound;
      failure.function = function.name;
      failure.library = libraryName;
      return false;
    }
  }
  Bind(module_, "AcAdapterGetNameA", f_.adapterGetName);
  Bind(module_, "AcStatusFormatA", f_.statusFormat);
  Bind(module_, "AcStatusRelatedContext", f_.statusRelatedContext);
  Bind(module_, "AcGetLogErrorA", f_.getLogError);
  Bind(module_, "AcCredentialsNumber", f_.credentialsNumber);
  return true;
}

bool Win32Dot1xLibrary::load(Dot1xLoadFailure& failure) {
  if (module_ != nullptr)
    return true;
  std::string name;
  for (const wchar_t* candidate : aegis::kLibraryNames) {
    module_ = LoadLibraryBesideProgram(candidate);
    if (module_ != nullptr) {
      name = NarrowName(candidate);
      break;
    }
  }
  if (module_ == nullptr) {
    failure.kind = Dot1xLoadFailure::Kind::LibraryNotFound;
    failure.library = NarrowName(aegis::kLibraryNames[0]);
    return false;
  }
  if (!resolve(failure, name.c_str())) {
    FreeLibrary(module_);
    module_ = nullptr;
    f_ = Functions{};
    return false;
  }
  return true;
}

AcContext Win32Dot1xLibrary::globalOpenContext(const char* applicationName, const char* text) {
  return CallForeign(f_.globalOpenContext, applicationName, text);
}
int Win32Dot1xLibrary::contextType(AcContext context) {
  return CallForeign(f_.contextType, context);
}
AcContext Win32Dot1xLibrary::iterateAdapters(AcContext global) {
  return CallForeign(f_.iterateAdapters, global);
}
AcContext Win32Dot1xLibrary::iterateAdaptersNext(AcContext iterator) {
  return CallForeign(f_.iterateAdaptersNext, iterator);
}
AcContext Win32Dot1xLibrary::adapterGetMacAddress(AcContext adapter, std::uint8_t mac[6]) {
  return CallForeign(f_.adapterGetMacAddress, adapter, mac);
}
int Win32Dot1xLibrary::statusNumber(AcContext result) {
  return CallForeign(f_.statusNumber, result);
}
AcContext Win32Dot1xLibrary::contextCopyHandle(AcContext context) {
  return CallForeign(f_.contextCopyHandle, context);
}
int Win32Dot1xLibrary::contextRelease(AcContext context) {
  return CallForeign(f_.contextRelease, context);
}
AcContext Win32Dot1xLibrary::adapterAuthenticateStop(AcContext adapter) {
  return CallForeign(f_.adapterAuthenticateStop, adapter);
}
AcContext Win32Dot1xLibrary::contextConfigWpa(AcContext adapter, int enable) {
  return CallForeign(f_.contextConfigWpa, adapter, enable);
}
AcContext Win32Dot1xLibrary::contextConfigWpaEx(AcContext adapter, int enable,
                                                const char* passphrase, const char* networkName,
                                                int reserved1, int reserved2) {
  return CallForeign(f_.contextConfigWpaEx, adapter, enable, passphrase, networkName, reserved1,
                     reserved2);
}
AcContext Win32Dot1xLibrary::configLeapCredentials(AcContext adapter, const char* user,
                                                   const char* password) {
  return CallForeign(f_.configLeap, adapter, user, password);
}
AcContext Win32Dot1xLibrary::configMd5Credentials(AcContext adapter, const char* user,
                                                  const char* password) {
  return CallForeign(f_.configMd5, adapter, user, password);
}
AcContext Win32Dot1xLibrary::configPeapCredentials(AcContext adapter, const char* identity,
                                                   const CertificateBlob* ca,
                                                   const CertificateBlob* client, int option1,
                                                   const char* user, const char* password,
                                                   int option2, int flag1, int flag2) {
  return CallForeign(f_.configPeap, adapter, identity, ca, client, option1, user, password, option2,
                     flag1, flag2);
}
AcContext Win32Dot1xLibrary::configTlsCredentials(AcContext adapter, const char* identity,
                                                  const CertificateBlob* ca,
                                                  const CertificateBlob* client, int option2,
                                                  int flag1, int flag2) {
  return CallForeign(f_.configTls, adapter, identity, ca, client, option2, flag1, flag2);
}
AcContext Win32Dot1xLibrary::configTtlsCredentials(AcContext adapter, const char* identity,
                                                   const CertificateBlob* ca,
                                                   const CertificateBlob* client, int option1,
                                                   const char* user, const char* password,
                                                   int option2, int flag1, int flag2) {
  return CallForeign(f_.configTtls, adapter, identity, ca, client, option1, user, password, option2,
                     flag1, flag2);
}
AcContext Win32Dot1xLibrary::contextAttachEvent(AcContext context, void* event) {
  return CallForeign(f_.contextAttachEvent, context, event);
}
AcContext Win32Dot1xLibrary::adapterAuthenticate(AcContext adapter, int flags) {
  return CallForeign(f_.adapterAuthenticate, adapter, flags);
}
AcContext Win32Dot1xLibrary::adapterGetName(AcContext adapter, char* buffer, std::uint32_t size) {
  if (f_.adapterGetName == nullptr)
    return NoText(buffer, size);
  return CallForeign(f_.adapterGetName, adapter, buffer, size);
}
AcContext Win32Dot1xLibrary::statusFormat(AcContext result, char* buffer, std::uint32_t size) {
  if (f_.statusFormat == nullptr)
    return NoText(buffer, size);
  return CallForeign(f_.statusFormat, result, buffer, size);
}
AcContext Win32Dot1xLibrary::statusRelatedContext(AcContext result) {
  if (f_.statusRelatedContext == nullptr)
    return nullptr;
  return CallForeign(f_.statusRelatedContext, result);
}
AcContext Win32Dot1xLibrary::getLogError(AcContext logError, char* buffer, std::uint32_t size) {
  if (f_.getLogError == nullptr)
    return NoText(buffer, size);
  return CallForeign(f_.getLogError, logError, buffer, size);
}
int Win32Dot1xLibrary::credentialsNumber(AcContext credentials) {
  if (f_.credentialsNumber == nullptr)
    return 0;
  return CallForeign(f_.credentialsNumber, credentials);
}
void* Win32Dot1xLibrary::createAutoResetEvent() {
  return CreateEventW(nullptr, FALSE, FALSE, nullptr);
}
void Win32Dot1xLibrary::closeEvent(void* event) {
  if (event != nullptr)
    CloseHandle(event);
}

}  // namespace kestrel
