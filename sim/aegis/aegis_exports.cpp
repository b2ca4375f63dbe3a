// AegisE5.dll: the simulated 802.1X client's exports. Contexts belong to the calling
// process; the adapter it authenticates and the journal of its calls are the machine's.
#include <windows.h>

#include <type_traits>

#include "aegis_model/simulated_dot1x_library.h"
#include "store/shared_adapter_store.h"
#include "win32/aegis_abi.h"
#include "win32/critical_section.h"

namespace {

using kestrel::aegis::Blob;
using kestrel::aegis::Ctx;
using kestrel::sim::SimulatedAdapter;
using kestrel::sim::SimulatedDot1xLibrary;

class StoreAccess : public kestrel::sim::AdapterAccess {
 public:
  bool withAdapter(const std::function<void(SimulatedAdapter&)>& work) override {
    return store_.withState([&](kestrel::sim::SharedAdapterState& state) {
      SimulatedAdapter adapter(state, store_.clock(), store_.random());
      work(adapter);
    });
  }
  kestrel::sim::SimClock& clock() { return store_.clock(); }

 private:
  kestrel::sim::SharedAdapterStore store_;
};

// Made on first use, not while the loader runs DllMain.
struct Library {
  kestrel::CriticalSection lock;
  StoreAccess access;
  SimulatedDot1xLibrary model{access, access.clock(), GetCurrentProcessId()};
};

Library& Instance() {
  static Library library;
  return library;
}

// Runs one call on the model; the library may be called from any thread.
template <typename Call>
auto Locked(Call call) {
  Library& library = Instance();
  kestrel::CriticalSectionGuard hold(library.lock);
  return call(library.model);
}

}  // namespace

extern "C" {

Ctx WINAPI AcGlobalOpenContextA(const char* application, const char* text) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.globalOpenContext(application, text); });
}
int WINAPI AcContextType(Ctx context) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.contextType(context); });
}
Ctx WINAPI AcIterateAdapters(Ctx global) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.iterateAdapters(global); });
}
Ctx WINAPI AcIterateAdaptersNext(Ctx iterator) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.iterateAdaptersNext(iterator); });
}
Ctx WINAPI AcAdapterGetMacAddress(Ctx adapter, unsigned char* mac) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.adapterGetMacAddress(adapter, mac); });
}
int WINAPI AcStatusNumber(Ctx result) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.statusNumber(result); });
}
Ctx WINAPI AcContextCopyHandle(Ctx context) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.contextCopyHandle(context); });
}
int WINAPI AcContextRelease(Ctx context) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.contextRelease(context); });
}
Ctx WINAPI AcAdapterAuthenticateStop(Ctx adapter) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.adapterAuthenticateStop(adapter); });
}
Ctx WINAPI AcContextConfigWpa(Ctx adapter, int enable) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.contextConfigWpa(adapter, enable); });
}
Ctx WINAPI AcContextConfigWpaEx(Ctx adapter, int enable, const char* passphrase,
                                const char* networkName, int reserved1, int reserved2) {
  return Locked([&](SimulatedDot1xLibrary& m) {
    return m.contextConfigWpaEx(adapter, enable, passphrase, networkName, reserved1, reserved2);
  });
}
Ctx WINAPI AcContextConfigLeapCredentialsA(Ctx adapter, const char* user, const char* password) {
  return Locked(
      [&](SimulatedDot1xLibrary& m) { return m.configLeapCredentials(adapter, user, password); });
}
Ctx WINAPI AcContextConfigMd5CredentialsA(Ctx adapter, const char* user, const char* password) {
  return Locked(
      [&](SimulatedDot1xLibrary& m) { return m.configMd5Credentials(adapter, user, password); });
}
Ctx WINAPI AcContextConfigPeapCredentialsA(Ctx adapter, const char* identity, const Blob* ca,
                                           const Blob* client, int option1, const char* user,
                                           const char* password, int option2, int flag1,
                                           int flag2) {
  return Locked([&](SimulatedDot1xLibrary& m) {
    return m.configPeapCredentials(adapter, identity, ca, client, option1, user, password, option2,
                                   flag1, flag2);
  });
}
Ctx WINAPI AcContextConfigTLSCredentialsA(Ctx adapter, const char* identity, const Blob* ca,
                                          const Blob* client, int option2, int flag1, int flag2) {
  return Locked([&](SimulatedDot1xLibrary& m) {
    return m.configTlsCredentials(adapter, identity, ca, client, option2, flag1, flag2);
  });
}
Ctx WINAPI AcContextConfigTTLSCredentialsA(Ctx adapter, const char* identity, const Blob* ca,
                                           const Blob* client, int option1, const char* user,
                                           const char* password, int option2, int flag1,
                                           int flag2) {
  return Locked([&](SimulatedDot1xLibrary& m) {
    return m.configTtlsCredentials(adapter, identity, ca, client, option1, user, password, option2,
                                   flag1, flag2);
  });
}
Ctx WINAPI AcContextAttachEvent(Ctx context, HANDLE event) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.contextAttachEvent(context, event); });
}
Ctx WINAPI AcAdapterAuthenticate(Ctx adapter, int flags) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.adapterAuthenticate(adapter, flags); });
}
Ctx WINAPI AcAdapterGetNameA(Ctx adapter, char* buffer, DWORD size) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.adapterGetName(adapter, buffer, size); });
}
Ctx WINAPI AcStatusFormatA(Ctx result, char* buffer, DWORD size) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.statusFormat(result, buffer, size); });
}
Ctx WINAPI AcStatusRelatedContext(Ctx result) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.statusRelatedContext(result); });
}
Ctx WINAPI AcGetLogErrorA(Ctx logError, char* buffer, DWORD size) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.getLogError(logError, buffer, size); });
}
int WINAPI AcCredentialsNumber(Ctx credentials) {
  return Locked([&](SimulatedDot1xLibrary& m) { return m.credentialsNumber(credentials); });
}

}  // extern "C"

// Each export has exactly the type the binding calls it through.
namespace abi = kestrel::aegis;
static_assert(std::is_same_v<decltype(&AcGlobalOpenContextA), abi::GlobalOpenContextFn>);
static_assert(std::is_same_v<decltype(&AcContextType), abi::ContextTypeFn>);
static_assert(std::is_same_v<decltype(&AcIterateAdapters), abi::ContextFn>);
static_assert(std::is_same_v<decltype(&AcIterateAdaptersNext), abi::ContextFn>);
static_assert(std::is_same_v<decltype(&AcAdapterGetMacAddress), abi::GetMacFn>);
static_assert(std::is_same_v<decltype(&AcStatusNumber), abi::NumberFn>);
static_assert(std::is_same_v<decltype(&AcContextCopyHandle), abi::ContextFn>);
static_assert(std::is_same_v<decltype(&AcContextRelease), abi::NumberFn>);
static_assert(std::is_same_v<decltype(&AcAdapterAuthenticateStop), abi::ContextFn>);
static_assert(std::is_same_v<decltype(&AcContextConfigWpa), abi::ConfigWpaFn>);
static_assert(std::is_same_v<decltype(&AcContextConfigWpaEx), abi::ConfigWpaExFn>);
static_assert(std::is_same_v<decltype(&AcContextConfigLeapCredentialsA), abi::UserPasswordFn>);
static_assert(std::is_same_v<decltype(&AcContextConfigMd5CredentialsA), abi::UserPasswordFn>);
static_assert(std::is_same_v<decltype(&AcContextConfigPeapCredentialsA), abi::PeapFn>);
static_assert(std::is_same_v<decltype(&AcContextConfigTLSCredentialsA), abi::TlsFn>);
static_assert(std::is_same_v<decltype(&AcContextConfigTTLSCredentialsA), abi::PeapFn>);
static_assert(std::is_same_v<decltype(&AcContextAttachEvent), abi::AttachEventFn>);
static_assert(std::is_same_v<decltype(&AcAdapterAuthenticate), abi::AuthenticateFn>);
static_assert(std::is_same_v<decltype(&AcAdapterGetNameA), abi::TextFn>);
static_assert(std::is_same_v<decltype(&AcStatusFormatA), abi::TextFn>);
static_assert(std::is_same_v<decltype(&AcStatusRelatedContext), abi::ContextFn>);
static_assert(std::is_same_v<decltype(&AcGetLogErrorA), abi::TextFn>);
static_assert(std::is_same_v<decltype(&AcCredentialsNumber), abi::NumberFn>);
