#pragma once
// In-memory 802.1X client library: contexts are numbered handles; every call is logged
// with its arguments; results and adapters are scripted.

#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/dot1x_library.h"

namespace kestrel::fakes {

struct FakeDot1xAdapter {
  std::array<std::uint8_t, 6> mac{};
  int macStatus = kAcStatusSuccess;
  int type = kAcAdapterType;
  std::string name = "adapter";
};

class FakeDot1xLibrary : public Dot1xLibrary {
 public:
  // Scripting.
  Dot1xLoadFailure::Kind loadFailure = Dot1xLoadFailure::Kind::None;
  int globalType = kAcGlobalType;
  int iteratorType = kAcAdapterIteratorType;
  std::vector<FakeDot1xAdapter> adapters;
  int resultStatus = kAcStatusSuccess;  // status of every configuration result
  bool releaseFails = false;

  // Observations.
  std::vector<std::string> calls;  // "Name(arg, ...)"
  int loads = 0;
  std::set<AcContext> live;  // contexts handed out and not yet released
  std::vector<void*> eventsClosed;

  bool load(Dot1xLoadFailure& failure) override {
    ++loads;
    if (loadFailure == Dot1xLoadFailure::Kind::None)
      return true;
    failure.kind = loadFailure;
    failure.library = "aegisE4.dll";
    failure.function = "AcIterateAdapters";
    failure.ordinal = 12;
    return false;
  }

  AcContext globalOpenContext(const char* application, const char* text) override {
    log("AcGlobalOpenContextA", {application, this->text(text)});
    return make(globalType);
  }
  int contextType(AcContext context) override {
    const auto found = kinds_.find(context);
    return found == kinds_.end() ? kAcUnknownType : found->second.type;
  }
  AcContext iterateAdapters(AcContext global) override {
    log("AcIterateAdapters", {name(global)});
    cursor_ = 0;
    return make(iteratorType);
  }
  AcContext iterateAdaptersNext(AcContext iterator) override {
    log("AcIterateAdaptersNext", {name(iterator)});
    if (cursor_ >= adapters.size())
      return nullptr;
    const FakeDot1xAdapter& adapter = adapters[cursor_];
    return make(adapter.type, static_cast<int>(cursor_++));
  }
  AcContext adapterGetMacAddress(AcContext adapter, std::uint8_t mac[6]) override {
    log("AcAdapterGetMacAddress", {name(adapter)});
    const int index = kinds_[adapter].adapterIndex;
    const FakeDot1xAdapter& found = adapters.at(static_cast<std::size_t>(index));
    std::memcpy(mac, found.mac.data(), 6);
    return make(kAcStatusType, -1, found.macStatus);
  }
  int statusNumber(AcContext result) override {
    const auto found = kinds_.find(result);
    return found == kinds_.end() ? 52 : found->second.status;
  }
  AcContext contextCopyHandle(AcContext context) override {
    log("AcContextCopyHandle", {name(context)});
    Kind copy = kinds_[context];
    copy.copyOf = context;
    AcContext handle = make(copy.type, copy.adapterIndex, copy.status);
    kinds_[handle].copyOf = context;
    return handle;
  }
  int contextRelease(AcContext context) override {
    log("AcContextRelease", {name(context)});
    live.erase(context);
    return releaseFails ? 0 : 1;
  }
  AcContext adapterAuthenticateStop(AcContext adapter) override {
    log("AcAdapterAuthenticateStop", {name(adapter)});
    return result();
  }
  AcContext contextConfigWpa(AcContext adapter, int enable) override {
    log("AcContextConfigWpa", {name(adapter), std::to_string(enable)});
    return result();
  }
  AcContext contextConfigWpaEx(AcContext adapter, int enable, const char* passphrase,
                               const char* network, int r1, int r2) override {
    log("AcContextConfigWpaEx", {name(adapter), std::to_string(enable), text(passphrase),
                                 text(network), std::to_string(r1), std::to_string(r2)});
    return result();
  }
  AcContext configLeapCredentials(AcContext adapter, const char* user,
                                  const char* password) override {
    log("AcContextConfigLeapCredentialsA", {name(adapter), text(user), text(password)});
    return result();
  }
  AcContext configMd5Credentials(AcContext adapter, const char* user,
                                 const char* password) override {
    log("AcContextConfigMd5CredentialsA", {name(adapter), text(user), text(password)});
    return result();
  }
  AcContext configPeapCredentials(AcContext adapter, const char* identity,
                                  const CertificateBlob* ca, const CertificateBlob* client,
                                  int option1, const char* user, const char* password, int option2,
                                  int flag1, int flag2) override {
    log("AcContextConfigPeapCredentialsA",
        {name(adapter), text(identity), blob(ca), blob(client), std::to_string(option1), text(user),
         text(password), std::to_string(option2), std::to_string(flag1), std::to_string(flag2)});
    return result();
  }
  AcContext configTlsCredentials(AcContext adapter, const char* identity, const CertificateBlob* ca,
                                 const CertificateBlob* client, int option2, int flag1,
                                 int flag2) override {
    log("AcContextConfigTLSCredentialsA",
        {name(adapter), text(identity), blob(ca), blob(client), std::to_string(option2),
         std::to_string(flag1), std::to_string(flag2)});
    return result();
  }
  AcContext configTtlsCredentials(AcContext adapter, const char* identity,
                                  const CertificateBlob* ca, const CertificateBlob* client,
                                  int option1, const char* user, const char* password, int option2,
                                  int flag1, int flag2) override {
    log("AcContextConfigTTLSCredentialsA",
        {name(adapter), text(identity), blob(ca), blob(client), std::to_string(option1), text(user),
         text(password), std::to_string(option2), std::to_string(flag1), std::to_string(flag2)});
    return result();
  }
  AcContext contextAttachEvent(AcContext context, void*) override {
    log("AcContextAttachEvent", {name(context)});
    return result();
  }
  AcContext adapterAuthenticate(AcContext adapter, int flags) override {
    log("AcAdapterAuthenticate", {name(adapter), std::to_string(flags)});
    return result();
  }
  AcContext adapterGetName(AcContext adapter, char* buffer, std::uint32_t size) override {
    std::snprintf(buffer, size, "%s", name(adapter).c_str());
    return result();
  }
  AcContext statusFormat(AcContext, char* buffer, std::uint32_t size) override {
    std::snprintf(buffer, size, "status text");
    return result();
  }
  AcContext statusRelatedContext(AcContext) override { return nullptr; }
  AcContext getLogError(AcContext, char* buffer, std::uint32_t size) override {
    std::snprintf(buffer, size, "log entry");
    return result();
  }
  int credentialsNumber(AcContext) override { return 6; }
  void* createAutoResetEvent() override { return reinterpret_cast<void*>(++events_); }
  void closeEvent(void* event) override { eventsClosed.push_back(event); }

  // Calls other than the context bookkeeping, for sequence checks.
  std::vector<std::string> operations() const {
    std::vector<std::string> result;
    for (const std::string& call : calls) {
      if (call.rfind("AcContextRelease", 0) != 0 && call.rfind("AcIterateAdaptersNext", 0) != 0) {
        result.push_back(call);
      }
    }
    return result;
  }

  // "adapter#1" for the first adapter's handles, "global", "iterator", "none"...
  std::string name(AcContext context) {
    if (context == nullptr)
      return "none";
    const auto found = kinds_.find(context);
    if (found == kinds_.end())
      return "?";
    switch (found->second.type) {
      case kAcGlobalType:
        return "global";
      case kAcAdapterIteratorType:
        return "iterator";
      case kAcAdapterType:
        return "adapter#" + std::to_string(found->second.adapterIndex + 1);
      default:
        return "result";
    }
  }

 private:
  struct Kind {
    int type = kAcUnknownType;
    int adapterIndex = -1;
    int status = 0;
    AcContext copyOf = nullptr;
  };

  AcContext make(int type, int adapterIndex = -1, int status = kAcStatusSuccess) {
    AcContext handle = reinterpret_cast<AcContext>(++next_);
    kinds_[handle] = Kind{type, adapterIndex, status, nullptr};
    live.insert(handle);
    return handle;
  }
  AcContext result() {
    return make(resultStatus == kAcStatusSuccess ? kAcStatusType : kAcErrorType, -1, resultStatus);
  }
  void log(const char* function, std::vector<std::string> args) {
    std::string line = std::string(function) + "(";
    for (std::size_t i = 0; i < args.size(); ++i)
      line += (i ? ", " : "") + args[i];
    calls.push_back(line + ")");
  }
  static std::string text(const char* value) {
    return value == nullptr ? "null" : "\"" + std::string(value) + "\"";
  }
  static std::string blob(const CertificateBlob* value) {
    if (value == nullptr)
      return "absent";
    return "blob" + std::to_string(value->length) + ":" + std::to_string(value->bytes[0]);
  }

  std::map<AcContext, Kind> kinds_;
  std::uintptr_t next_ = 0x100;
  std::uintptr_t events_ = 0x9000;
  std::size_t cursor_ = 0;
};

}  // namespace kestrel::fakes
