#include "aegis_model/simulated_dot1x_library.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dot1x/dot1x_names.h"

namespace kestrel::sim {

namespace {

constexpr char kCardName[] = "KESTREL LX740N QX-7+ Wireless PC Card";
constexpr char kWiredName[] = "Simulated wired Ethernet adapter";
// Locally administered, so it can never equal a card's address.
constexpr std::array<std::uint8_t, 6> kWiredMac = {0x02, 0x00, 0x4B, 0x53, 0x00, 0x01};

// The length of a caller's text, reading at most `limit` + 1 bytes: a text longer than
// `limit` answers `limit` + 1.
std::size_t BoundedLength(const char* text, std::size_t limit) {
  std::size_t length = 0;
  while (length <= limit && text[length] != '\0')
    ++length;
  return length;
}

std::string MacText(const std::uint8_t* mac) {
  char text[24];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}

const char* MethodName(EapMethod method) {
  switch (method) {
    case EapMethod::Leap:
      return "LEAP";
    case EapMethod::Md5:
      return "MD5";
    case EapMethod::Peap:
      return "PEAP";
    case EapMethod::Tls:
      return "TLS";
    case EapMethod::Ttls:
      return "TTLS";
    case EapMethod::None:
      break;
  }
  return "none";
}

void ClearText(char* buffer, std::uint32_t size) {
  if (buffer != nullptr && size > 0)
    buffer[0] = '\0';
}

bool IsErrorNumber(int status) {
  return status >= kAcErrorBufferTooSmall && status < 60;
}

}  // namespace

SimulatedDot1xLibrary::SimulatedDot1xLibrary(AdapterAccess& access, SimClock& clock,
                                             std::uint32_t processId)
    : access_(access), clock_(clock), processId_(processId) {
  // The card comes second, so a caller looking for it passes over another adapter first.
  adapters_.push_back({kWiredName, false, kWiredMac, 0, {}});
  adapters_.push_back({kCardName, true, {}, 0, {}});
  for (std::size_t i = 0; i < adapters_.size(); ++i) {
    ContextObject object;
    object.type = kAcAdapterType;
    object.adapter = i;
    adapters_[i].object = contexts_.createPermanent(object);
  }
}

AcContext SimulatedDot1xLibrary::makeResult(int status, const std::string& text, ObjectId related) {
  ContextObject object;
  object.type = IsErrorNumber(status) ? kAcErrorType : kAcStatusType;
  object.status = status;
  object.related = related;
  object.text = text;
  return contexts_.create(object);
}

AcContext SimulatedDot1xLibrary::makeError(const char* call, int status, const std::string& text) {
  lastError_ = std::string(call) + ": " + StatusName(status) + ": " + text;
  return makeResult(status, text);
}

AcContext SimulatedDot1xLibrary::contextError(const char* call, AcContext context) {
  if (context == nullptr)
    return makeError(call, kAcErrorNullContext, "no context was given");
  return makeError(call, kAcErrorNotCorrectContext, "the context is unknown or released");
}

bool SimulatedDot1xLibrary::failingEveryCall() {
  bool failing = false;
  access_.withAdapter([&](SimulatedAdapter& adapter) { failing = adapter.failingDot1xCalls(); });
  return failing;
}

AcContext SimulatedDot1xLibrary::failedCall(const char* call, int status) {
  return makeError(call, status, "the library is failing every call");
}

AcContext SimulatedDot1xLibrary::failedText(const char* call, char* buffer, std::uint32_t size) {
  ClearText(buffer, size);
  return failedCall(call);
}

SimulatedDot1xLibrary::Found SimulatedDot1xLibrary::findAdapter(AcContext context) {
  Found found;
  const ContextObject* object = contexts_.find(context);
  if (context == nullptr) {
    found.error = kAcErrorNullContext;
  } else if (object == nullptr) {
    found.error = kAcErrorNotCorrectContext;
  } else if (object->type != kAcAdapterType) {
    found.error = kAcErrorNotAdapterContext;
  } else {
    found.adapter = &adapters_.at(object->adapter);
    found.id = contexts_.idOf(context);
  }
  return found;
}

AcContext SimulatedDot1xLibrary::withAdapter(
    const char* call, AcContext context,
    const std::function<AcContext(LibraryAdapter&, ObjectId)>& work) {
  const Found found = findAdapter(context);
  if (found.adapter == nullptr) {
    return found.error == kAcErrorNotAdapterContext
               ? makeError(call, found.error, "the context is not an adapter")
               : contextError(call, context);
  }
  return work(*found.adapter, found.id);
}

bool SimulatedDot1xLibrary::simulatedAdapterPresent(std::array<std::uint8_t, 6>* mac) {
  bool present = false;
  access_.withAdapter([&](SimulatedAdapter& adapter) {
    present = adapter.state().present != 0;
    if (mac != nullptr)
      std::memcpy(mac->data(), adapter.state().mac, 6);
  });
  return present;
}

AcContext SimulatedDot1xLibrary::journal(Dot1xCall call, AcContext made,
                                         const std::string& detail) {
  // A call that hands out a global or an iterator succeeded.
  const ContextObject* object = contexts_.find(made);
  int status = 0;
  if (object != nullptr) {
    const bool isResult = object->type == kAcStatusType || object->type == kAcErrorType;
    status = isResult ? object->status : kAcStatusSuccess;
  }
  access_.withAdapter([&](SimulatedAdapter& adapter) {
    RecordDot1xCall(adapter.state(), clock_.nowMs(), processId_, call, status, detail);
  });
  return made;
}

AcContext SimulatedDot1xLibrary::globalOpenContext(const char* applicationName, const char*) {
  constexpr char kCall[] = "AcGlobalOpenContextA";
  if (failingEveryCall()) {
    return journal(Dot1xCall::GlobalOpenContext, failedCall(kCall, kAcErrorInitializationFailure),
                   "");
  }
  if (applicationName == nullptr) {
    return journal(Dot1xCall::GlobalOpenContext,
                   makeError(kCall, kAcErrorNullFunctionParameter, "no application name"), "");
  }
  ContextObject global;
  global.type = kAcGlobalType;
  const std::string name(applicationName, BoundedLength(applicationName, 32));
  return journal(Dot1xCall::GlobalOpenContext, contexts_.create(global), "application " + name);
}

int SimulatedDot1xLibrary::contextType(AcContext context) {
  const ContextObject* object = contexts_.find(context);
  return object == nullptr ? kAcUnknownType : object->type;
}

AcContext SimulatedDot1xLibrary::iterateAdapters(AcContext global) {
  constexpr char kCall[] = "AcIterateAdapters";
  if (failingEveryCall())
    return journal(Dot1xCall::IterateAdapters, failedCall(kCall), "");
  const ContextObject* object = contexts_.find(global);
  if (object == nullptr)
    return journal(Dot1xCall::IterateAdapters, contextError(kCall, global), "");
  if (object->type != kAcGlobalType) {
    return journal(Dot1xCall::IterateAdapters,
                   makeError(kCall, kAcErrorNotGlobalContext, "the context is not the global one"),
                   "");
  }
  // A removed card is not listed.
  const bool cardPresent = simulatedAdapterPresent(nullptr);
  ContextObject iterator;
  iterator.type = kAcAdapterIteratorType;
  for (const LibraryAdapter& adapter : adapters_) {
    if (!adapter.simulated || cardPresent)
      iterator.entries.push_back(adapter.object);
  }
  const std::string detail = "listed " + std::to_string(iterator.entries.size()) + " adapters";
  return journal(Dot1xCall::IterateAdapters, contexts_.create(iterator), detail);
}

AcContext SimulatedDot1xLibrary::iterateAdaptersNext(AcContext iterator) {
  constexpr char kCall[] = "AcIterateAdaptersNext";
  if (failingEveryCall())
    return failedCall(kCall);
  ContextObject* object = contexts_.find(iterator);
  if (object == nullptr)
    return contextError(kCall, iterator);
  if (object->type != kAcAdapterIteratorType)
    return makeError(kCall, kAcErrorNotIteratorContext, "the context is not an iterator");
  if (object->cursor >= object->entries.size())
    return nullptr;
  return contexts_.addHandle(object->entries[object->cursor++]);
}

AcContext SimulatedDot1xLibrary::adapterGetMacAddress(AcContext adapter, std::uint8_t* mac) {
  constexpr char kCall[] = "AcAdapterGetMacAddress";
  if (failingEveryCall())
    return journal(Dot1xCall::AdapterGetMacAddress, failedCall(kCall), "");
  std::string detail;
  const AcContext made = withAdapter(kCall, adapter, [&](LibraryAdapter& found, ObjectId id) {
    if (mac == nullptr)
      return makeError(kCall, kAcErrorNullFunctionParameter, "no buffer for the address");
    std::array<std::uint8_t, 6> address = found.mac;
    if (found.simulated && !simulatedAdapterPresent(&address))
      return makeError(kCall, kAcErrorFailure, "the card is not present");
    std::memcpy(mac, address.data(), address.size());
    detail = MacText(address.data()) + " " + found.name;
    return makeResult(kAcStatusSuccess, "address read", id);
  });
  return journal(Dot1xCall::AdapterGetMacAddress, made, detail);
}

int SimulatedDot1xLibrary::statusNumber(AcContext status) {
  const ContextObject* object = contexts_.find(status);
  if (status == nullptr)
    return kAcErrorNullContext;
  if (object == nullptr || (object->type != kAcStatusType && object->type != kAcErrorType))
    return kAcErrorNotCorrectContext;
  return object->status;
}

AcContext SimulatedDot1xLibrary::contextCopyHandle(AcContext context) {
  constexpr char kCall[] = "AcContextCopyHandle";
  if (failingEveryCall())
    return failedCall(kCall);
  if (contexts_.find(context) == nullptr)
    return contextError(kCall, context);
  return contexts_.addHandle(contexts_.idOf(context));
}

int SimulatedDot1xLibrary::contextRelease(AcContext context) {
  return contexts_.release(context) ? 1 : 0;
}

AcContext SimulatedDot1xLibrary::adapterAuthenticateStop(AcContext adapter) {
  constexpr char kCall[] = "AcAdapterAuthenticateStop";
  if (failingEveryCall())
    return journal(Dot1xCall::AdapterAuthenticateStop, failedCall(kCall), "");
  std::string detail;
  const AcContext made = withAdapter(kCall, adapter, [&](LibraryAdapter& found, ObjectId id) {
    found.configuration.authenticating = false;
    detail = found.name;
    if (found.simulated &&
        !access_.withAdapter([](SimulatedAdapter& card) { card.clearDot1xPassphrase(); })) {
      return makeError(kCall, kAcErrorFailure, "the card cannot be reached");
    }
    return makeResult(kAcStatusSuccess, "authentication stopped", id);
  });
  return journal(Dot1xCall::AdapterAuthenticateStop, made, detail);
}

AcContext SimulatedDot1xLibrary::contextConfigWpa(AcContext adapter, int enable) {
  constexpr char kCall[] = "AcContextConfigWpa";
  if (failingEveryCall())
    return journal(Dot1xCall::ContextConfigWpa, failedCall(kCall), "");
  const AcContext made = withAdapter(kCall, adapter, [&](LibraryAdapter& found, ObjectId id) {
    if (enable != 0 && enable != 1)
      return makeError(kCall, kAcErrorInvalidParameter, "enable must be 0 or 1");
    found.configuration.wpa = enable == 1;
    if (!found.configuration.wpa)
      found.configuration.passphrase.clear();
    return makeResult(kAcStatusSuccess, enable == 1 ? "WPA on" : "WPA off", id);
  });
  return journal(Dot1xCall::ContextConfigWpa, made, "enable " + std::to_string(enable));
}

AcContext SimulatedDot1xLibrary::contextConfigWpaEx(AcContext adapter, int enable,
                                                    const char* passphrase, const char* networkName,
                                                    int, int) {
  constexpr char kCall[] = "AcContextConfigWpaEx";
  if (failingEveryCall())
    return journal(Dot1xCall::ContextConfigWpaEx, failedCall(kCall), "");
  std::string detail = "enable " + std::to_string(enable);
  const AcContext made = withAdapter(kCall, adapter, [&](LibraryAdapter& found, ObjectId id) {
    if (enable != 0 && enable != 1)
      return makeError(kCall, kAcErrorInvalidParameter, "enable must be 0 or 1");
    const std::size_t passphraseLength =
        passphrase == nullptr ? 0 : BoundedLength(passphrase, kMaxPassphraseBytes);
    if (enable == 1 && passphrase != nullptr &&
        (passphraseLength < kMinPassphraseBytes || passphraseLength > kMaxPassphraseBytes)) {
      return makeError(kCall, kAcErrorInvalidParameter, "a passphrase has 8 to 63 characters");
    }
    const std::size_t nameLength =
        networkName == nullptr ? 0 : BoundedLength(networkName, kMaxSsidBytes);
    if (nameLength > kMaxSsidBytes)
      return makeError(kCall, kAcErrorInvalidParameter, "a network name has at most 32 bytes");
    AdapterConfiguration& c = found.configuration;
    c.wpa = enable == 1;
    c.passphrase = c.wpa && passphrase != nullptr ? std::string(passphrase, passphraseLength) : "";
    c.networkName = networkName == nullptr ? "" : std::string(networkName, nameLength);
    if (!c.networkName.empty())
      detail += ", ssid " + c.networkName;
    if (!c.passphrase.empty())
      detail += ", passphrase " + std::to_string(c.passphrase.size()) + " bytes";
    return makeResult(kAcStatusSuccess, "WPA configured", id);
  });
  return journal(Dot1xCall::ContextConfigWpaEx, made, detail);
}

AcContext SimulatedDot1xLibrary::configureCredentials(const char* call, Dot1xCall journalCall,
                                                      AcContext adapter, EapMethod method,
                                                      const char* identity,
                                                      const CertificateBlob* clientCertificate,
                                                      const char* user, const char* password) {
  if (failingEveryCall())
    return journal(journalCall, failedCall(call), "");
  std::string detail = MethodName(method);
  const AcContext made = withAdapter(call, adapter, [&](LibraryAdapter& found, ObjectId id) {
    const bool withIdentity =
        method == EapMethod::Peap || method == EapMethod::Tls || method == EapMethod::Ttls;
    const bool withPassword = method != EapMethod::Tls;
    if ((withIdentity && identity == nullptr) ||
        (withPassword && (user == nullptr || password == nullptr))) {
      return makeError(call, kAcErrorNullFunctionParameter, "a text is missing");
    }
    const auto tooLong = [](const char* text) {
      return text != nullptr && BoundedLength(text, kMaxCredentialBytes) > kMaxCredentialBytes;
    };
    if (tooLong(identity) || tooLong(user) || tooLong(password))
      return makeError(call, kAcErrorInvalidParameter, "a text is longer than 256 bytes");
    if (clientCertificate != nullptr &&
        clientCertificate->length > sizeof clientCertificate->bytes) {
      return makeError(call, kAcErrorInvalidParameter, "a thumbprint has at most 20 bytes");
    }
    AdapterConfiguration& c = found.configuration;
    c.method = method;
    c.identity = withIdentity ? identity : "";
    c.user = withPassword ? user : "";
    c.password = withPassword ? password : "";
    c.clientCertificateLength = clientCertificate == nullptr ? 0 : clientCertificate->length;
    if (!c.identity.empty())
      detail += ", identity " + c.identity;
    if (!c.user.empty())
      detail += ", user " + c.user;
    return makeResult(kAcStatusSuccess, "credentials configured", id);
  });
  return journal(journalCall, made, detail);
}

AcContext SimulatedDot1xLibrary::configLeapCredentials(AcContext adapter, const char* user,
                                                       const char* password) {
  return configureCredentials("AcContextConfigLeapCredentialsA", Dot1xCall::ConfigLeapCredentials,
                              adapter, EapMethod::Leap, nullptr, nullptr, user, password);
}

AcContext SimulatedDot1xLibrary::configMd5Credentials(AcContext adapter, const char* user,
                                                      const char* password) {
  return configureCredentials("AcContextConfigMd5CredentialsA", Dot1xCall::ConfigMd5Credentials,
                              adapter, EapMethod::Md5, nullptr, nullptr, user, password);
}

AcContext SimulatedDot1xLibrary::configPeapCredentials(AcContext adapter, const char* identity,
                                                       const CertificateBlob*,
                                                       const CertificateBlob* clientCertificate,
                                                       int, const char* user, const char* password,
                                                       int, int, int) {
  return configureCredentials("AcContextConfigPeapCredentialsA", Dot1xCall::ConfigPeapCredentials,
                              adapter, EapMethod::Peap, identity, clientCertificate, user,
                              password);
}

AcContext SimulatedDot1xLibrary::configTlsCredentials(AcContext adapter, const char* identity,
                                                      const CertificateBlob*,
                                                      const CertificateBlob* clientCertificate, int,
                                                      int, int) {
  return configureCredentials("AcContextConfigTLSCredentialsA", Dot1xCall::ConfigTlsCredentials,
                              adapter, EapMethod::Tls, identity, clientCertificate, nullptr,
                              nullptr);
}

AcContext SimulatedDot1xLibrary::configTtlsCredentials(AcContext adapter, const char* identity,
                                                       const CertificateBlob*,
                                                       const CertificateBlob* clientCertificate,
                                                       int, const char* user, const char* password,
                                                       int, int, int) {
  return configureCredentials("AcContextConfigTTLSCredentialsA", Dot1xCall::ConfigTtlsCredentials,
                              adapter, EapMethod::Ttls, identity, clientCertificate, user,
                              password);
}

AcContext SimulatedDot1xLibrary::contextAttachEvent(AcContext context, void* event) {
  constexpr char kCall[] = "AcContextAttachEvent";
  if (failingEveryCall())
    return journal(Dot1xCall::ContextAttachEvent, failedCall(kCall), "");
  ContextObject* object = contexts_.find(context);
  AcContext made = nullptr;
  std::string detail;
  if (object == nullptr) {
    made = contextError(kCall, context);
  } else if (object->type != kAcGlobalType && object->type != kAcAdapterType) {
    made =
        makeError(kCall, kAcErrorNotCorrectContextForEvent, "events attach to global or adapters");
  } else if (event == nullptr) {
    made = makeError(kCall, kAcErrorNullFunctionParameter, "no event");
  } else {
    object->event = event;
    detail = object->type == kAcGlobalType ? "global" : adapters_.at(object->adapter).name;
    made = makeResult(kAcStatusSuccess, "event attached", contexts_.idOf(context));
  }
  return journal(Dot1xCall::ContextAttachEvent, made, detail);
}

AcContext SimulatedDot1xLibrary::adapterAuthenticate(AcContext adapter, int) {
  constexpr char kCall[] = "AcAdapterAuthenticate";
  if (failingEveryCall())
    return journal(Dot1xCall::AdapterAuthenticate, failedCall(kCall), "");
  std::string detail;
  const AcContext made = withAdapter(kCall, adapter, [&](LibraryAdapter& found, ObjectId id) {
    AdapterConfiguration& c = found.configuration;
    std::string what;
    std::string credential;
    if (c.wpa && !c.passphrase.empty()) {
      what = "WPA-PSK passphrase";
      credential = c.passphrase;
    } else if (c.method == EapMethod::Tls) {
      // No certificate store here: TLS offers nothing a network accepts.
      what = "TLS (no certificate) empty credential";
    } else if (c.method != EapMethod::None) {
      what = std::string(MethodName(c.method)) + " password";
      credential = c.password;
    } else {
      return makeError(kCall, kAcErrorFailure, "nothing is configured to authenticate with");
    }
    if (!found.simulated)
      return makeError(kCall, kAcErrorFailure, "the adapter has no wireless link");
    bool present = false;
    const bool reached = access_.withAdapter([&](SimulatedAdapter& card) {
      present = card.state().present != 0;
      if (present)
        card.reportDot1xPassphrase(credential);
    });
    if (!reached || !present)
      return makeError(kCall, kAcErrorFailure, "the card is not present");
    c.authenticating = true;
    detail = "reported " + what + " (" + std::to_string(credential.size()) + " bytes)";
    return makeResult(kAcStatusSuccess, "authentication started", id);
  });
  return journal(Dot1xCall::AdapterAuthenticate, made, detail);
}

AcContext SimulatedDot1xLibrary::writeText(const char* call, const std::string& text, char* buffer,
                                           std::uint32_t size, ObjectId related) {
  if (buffer == nullptr || size == 0)
    return makeError(call, kAcErrorNullFunctionParameter, "no buffer");
  const std::size_t length = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  if (length < text.size())
    return makeError(call, kAcErrorBufferTooSmall, "the text was cut to fit the buffer");
  return makeResult(kAcStatusSuccess, "text written", related);
}

AcContext SimulatedDot1xLibrary::adapterGetName(AcContext adapter, char* buffer,
                                                std::uint32_t size) {
  constexpr char kCall[] = "AcAdapterGetNameA";
  if (failingEveryCall())
    return failedText(kCall, buffer, size);
  const Found found = findAdapter(adapter);
  if (found.adapter == nullptr) {
    ClearText(buffer, size);
    return found.error == kAcErrorNotAdapterContext
               ? makeError(kCall, found.error, "the context is not an adapter")
               : contextError(kCall, adapter);
  }
  return writeText(kCall, found.adapter->name, buffer, size, found.id);
}

AcContext SimulatedDot1xLibrary::statusFormat(AcContext status, char* buffer, std::uint32_t size) {
  constexpr char kCall[] = "AcStatusFormatA";
  if (failingEveryCall())
    return failedText(kCall, buffer, size);
  const ContextObject* object = contexts_.find(status);
  if (object == nullptr) {
    ClearText(buffer, size);
    return contextError(kCall, status);
  }
  if (object->type != kAcStatusType && object->type != kAcErrorType) {
    ClearText(buffer, size);
    return makeError(kCall, kAcErrorNotCorrectContext, "the context is not a result");
  }
  return writeText(kCall, object->text, buffer, size);
}

AcContext SimulatedDot1xLibrary::statusRelatedContext(AcContext status) {
  if (failingEveryCall())
    return failedCall("AcStatusRelatedContext");
  const ContextObject* object = contexts_.find(status);
  if (object == nullptr || object->related == 0)
    return nullptr;
  return contexts_.addHandle(object->related);
}

AcContext SimulatedDot1xLibrary::getLogError(AcContext context, char* buffer, std::uint32_t size) {
  constexpr char kCall[] = "AcGetLogErrorA";
  if (failingEveryCall())
    return failedText(kCall, buffer, size);
  if (contexts_.find(context) == nullptr) {
    ClearText(buffer, size);
    return contextError(kCall, context);
  }
  // Read before writing: a failing write records its own error.
  const std::string text = lastError_.empty() ? "no errors" : lastError_;
  return writeText(kCall, text, buffer, size);
}

int SimulatedDot1xLibrary::credentialsNumber(AcContext context) {
  if (failingEveryCall())
    return static_cast<int>(EapMethod::None);
  const Found found = findAdapter(context);
  return found.adapter == nullptr ? 0 : static_cast<int>(found.adapter->configuration.method);
}

}  // namespace kestrel::sim
