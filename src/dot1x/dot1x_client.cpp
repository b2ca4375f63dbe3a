#include "dot1x/dot1x_client.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dot1x/dot1x_names.h"
#include "dot1x/psk_buffer.h"
#include "profiles/secure_wipe.h"

namespace kestrel {

namespace {

constexpr char kApplicationName[] = "corvusap";

std::string Format(const char* format, const char* a, const char* b = "", const char* c = "",
                   const char* d = "") {
  char line[2 * kAcTextBufferSize + 256];
  std::snprintf(line, sizeof line, format, a, b, c, d);
  return line;
}

std::string LoadFailureLine(const Dot1xLoadFailure& failure) {
  char line[512];
  switch (failure.kind) {
    case Dot1xLoadFailure::Kind::FunctionNotFound:
      std::snprintf(line, sizeof line,
                    "ACAPI: Delay Load Exception: Function %s was not found in %s\n",
                    failure.function.c_str(), failure.library.c_str());
      break;
    case Dot1xLoadFailure::Kind::OrdinalNotFound:
      std::snprintf(line, sizeof line,
                    "ACAPI: Delay Load Exception: Function ordinal %d was not found in %s\n",
                    failure.ordinal, failure.library.c_str());
      break;
    default:
      std::snprintf(line, sizeof line, "ACAPI: Delay Load Exception: DLL not found: %s\n",
                    failure.library.c_str());
  }
  return line;
}

}  // namespace

Dot1xClient::Dot1xClient(Dot1xLibrary& library, Dot1xDiagnostics& diagnostics)
    : library_(library), diagnostics_(diagnostics) {}

Dot1xClient::~Dot1xClient() {
  Close();
  closeEvents();
}

void Dot1xClient::release(AcContext context) {
  if (context != nullptr && library_.contextRelease(context) == 0) {
    diagnostics_.trace("TestContextRelease: FAILED\n");
  }
}

void Dot1xClient::traceAndRelease(AcContext result, const char* label) {
  TraceResult(result, label);
  release(result);
}

bool Dot1xClient::Open(const std::array<std::uint8_t, 6>& mac) {
  Dot1xLoadFailure failure;
  if (!library_.load(failure)) {
    diagnostics_.trace(LoadFailureLine(failure));
    loaded_ = false;
    available_ = false;
    return false;
  }
  loaded_ = true;
  const AcContext global = library_.globalOpenContext(kApplicationName, "a_string");
  release(global_);
  global_ = global;
  if (library_.contextType(global_) != kAcGlobalType) {
    diagnostics_.trace("test_context type == AcErrorType!\n");
    diagnostics_.trace(StatusName(library_.statusNumber(global_)));
    available_ = false;
    return false;
  }
  available_ = selectAdapter(mac);
  if (!available_)
    diagnostics_.trace("\n   adapter selection failed\n\n");
  return available_;
}

bool Dot1xClient::selectAdapter(const std::array<std::uint8_t, 6>& mac) {
  const AcContext iterator = library_.iterateAdapters(global_);
  if (library_.contextType(iterator) != kAcAdapterIteratorType) {
    release(iterator);
    return false;
  }
  for (AcContext entry = library_.iterateAdaptersNext(iterator); entry != nullptr;
       entry = library_.iterateAdaptersNext(iterator)) {
    if (library_.contextType(entry) != kAcAdapterType) {
      release(entry);
      break;
    }
    std::uint8_t found[6] = {};
    const AcContext result = library_.adapterGetMacAddress(entry, found);
    const bool read = library_.statusNumber(result) == kAcStatusSuccess;
    if (!read)
      diagnostics_.trace("Unable to retrieve adapter Address");
    if (read && std::equal(mac.begin(), mac.end(), found)) {
      release(adapter_);
      release(iterator);
      adapter_ = library_.contextCopyHandle(entry);
      release(result);
      // The copy is an independent handle; the enumeration's own one is done with.
      release(entry);
      return true;
    }
    release(result);
    release(entry);
  }
  release(iterator);
  return false;
}

void Dot1xClient::StopAuthentication() {
  if (!loaded_)
    return;
  traceAndRelease(library_.adapterAuthenticateStop(adapter_), "AcAdapterAuthenticateStop");
  traceAndRelease(library_.contextConfigWpaEx(adapter_, 0, nullptr, nullptr, 0, 0),
                  "AcContextConfigWpaEx");
}

void Dot1xClient::ConfigureWpaPsk(const std::string& passphrase, const std::string& networkName) {
  if (!loaded_)
    return;
  const PskBuffer passphraseBuffer(passphrase);
  const PskBuffer nameBuffer(networkName);
  release(library_.contextConfigWpa(adapter_, 1));
  traceAndRelease(
      library_.contextConfigWpaEx(adapter_, 1, passphraseBuffer.data(), nameBuffer.data(), 0, 0),
      "AcContextConfigWpaEx");
}

void Dot1xClient::ConfigureEap(const WirelessProfile& profile) {
  if (!loaded_)
    return;
  Dot1xCredentials& c = credentials_;
  const auto takeCertificate = [&] {
    const auto length = static_cast<std::uint32_t>(
        std::clamp<std::int32_t>(profile.ClientCertLen, 0, sizeof c.clientCertificate.bytes));
    c.clientCertificate = CertificateBlob{};
    c.clientCertificate.length = length;
    std::memcpy(c.clientCertificate.bytes, profile.Certificate.data(), length);
  };
  // Every method sets all three texts, so nothing of an earlier push is carried over.
  const auto setTexts = [&](const std::string& identity, const std::string& user,
                            const std::string& password) {
    c.identity = identity;
    c.user = user;
    c.password = password;
  };
  switch (profile.EapSelection) {
    case 1:
      c.leap = true;
      setTexts("", profile.leapUserName, profile.leapUserPasswd);
      break;
    case 3:
      c.peap = true;
      setTexts(profile.LoginName, profile.AdvancedUserName, profile.AdvancedPassword);
      takeCertificate();
      break;
    case 4:
      c.tls = true;
      setTexts(profile.LoginName, "", "");
      takeCertificate();
      break;
    case 5:
      c.ttls = true;
      setTexts(profile.LoginName, profile.AdvancedUserName, profile.AdvancedPassword);
      takeCertificate();
      break;
    case 6:
      c.md5 = true;
      setTexts(profile.LoginName, profile.AdvancedUserName, profile.AdvancedPassword);
      break;
    default:
      setTexts("", "", "");
      takeCertificate();
  }

  const int wpa = profile.AdvancedAuthenticationType == 4 ? 1 : 0;
  traceAndRelease(library_.contextConfigWpaEx(adapter_, wpa, nullptr, nullptr, 0, 0),
                  "AcContextConfigWpaEx");

  const CertificateBlob* ca = c.caCertificate.length == 0 ? nullptr : &c.caCertificate;
  const CertificateBlob* client = c.clientCertificate.length == 0 ? nullptr : &c.clientCertificate;
  const char* identity = c.identity.c_str();
  const char* user = c.user.c_str();
  const char* password = c.password.c_str();
  if (c.leap) {
    traceAndRelease(library_.configLeapCredentials(adapter_, user, password),
                    "Context result of configuring LEAP");
  } else if (c.md5) {
    traceAndRelease(library_.configMd5Credentials(adapter_, user, password),
                    "Context result of configuring MD5");
  } else if (c.peap) {
    traceAndRelease(library_.configPeapCredentials(adapter_, identity, ca, client, c.option1, user,
                                                   password, c.option2, 1, 1),
                    "Context result of configuring PEAP");
  } else if (c.tls) {
    traceAndRelease(library_.configTlsCredentials(adapter_, identity, ca, client, c.option2, 0, 1),
                    "Context result of configuring TLS");
  } else if (c.ttls) {
    traceAndRelease(library_.configTtlsCredentials(adapter_, identity, ca, client, c.option1, user,
                                                   password, c.option2, 1, 1),
                    "Context result of configuring TTLS");
  } else {
    diagnostics_.standardError("UtilConfigCredentials: unknown authenticate method\n");
  }
  // The library has taken its copy; none is kept here until the next push.
  SecureWipe(c.password);
  StartAuthentication();
}

void Dot1xClient::closeEvents() {
  if (globalEvent_ != nullptr)
    library_.closeEvent(globalEvent_);
  if (adapterEvent_ != nullptr)
    library_.closeEvent(adapterEvent_);
  globalEvent_ = adapterEvent_ = nullptr;
}

void Dot1xClient::StartAuthentication() {
  if (!loaded_)
    return;
  closeEvents();
  globalEvent_ = library_.createAutoResetEvent();
  adapterEvent_ = library_.createAutoResetEvent();
  release(library_.contextAttachEvent(global_, globalEvent_));
  release(library_.contextAttachEvent(adapter_, adapterEvent_));
  traceAndRelease(library_.adapterAuthenticate(adapter_, 0), "AcAdapterAuthenticate");
}

void Dot1xClient::Close() {
  if (global_ != nullptr) {
    release(global_);
    global_ = nullptr;
  }
  if (adapter_ != nullptr) {
    release(adapter_);
    adapter_ = nullptr;
  }
}

std::string Dot1xClient::adapterName(AcContext adapter) {
  char name[kAcTextBufferSize] = {};
  release(library_.adapterGetName(adapter, name, sizeof name));
  name[sizeof name - 1] = '\0';
  return name;
}

void Dot1xClient::TraceResult(AcContext context, const char* label) {
  switch (library_.contextType(context)) {
    case kAcAdapterType:
      diagnostics_.trace(Format("%s: AcAdapterType '%s'\n", label, adapterName(context).c_str()));
      break;
    case kAcAdapterIteratorType:
      diagnostics_.trace(Format("%s: AcAdapterIteratorType\n", label));
      break;
    case kAcCredentialsType:
      diagnostics_.trace(Format("%s: AcCredentialsType %s\n", label,
                                CredentialsName(library_.credentialsNumber(context))));
      break;
    case kAcGlobalType:
      diagnostics_.trace(Format("%s: AcGlobalType\n", label));
      break;
    case kAcStatusType:
    case kAcErrorType: {
      char text[kAcTextBufferSize] = {};
      release(library_.statusFormat(context, text, sizeof text));
      text[sizeof text - 1] = '\0';
      const char* status = StatusName(library_.statusNumber(context));
      const AcContext related = library_.statusRelatedContext(context);
      if (related != nullptr) {
        const std::string name = adapterName(related);
        release(related);
        diagnostics_.trace(Format("%s: %s on '%s': %s\n", label, status, name.c_str(), text));
      } else {
        diagnostics_.trace(Format("%s: %s: %s\n", label, status, text));
      }
      break;
    }
    case kAcLogErrorType: {
      char text[kAcTextBufferSize] = {};
      release(library_.getLogError(context, text, sizeof text));
      text[sizeof text - 1] = '\0';
      diagnostics_.trace(Format("%s: %s\n", label, text));
      break;
    }
    default:
      diagnostics_.trace(Format("%s: %s\n", label, "AcEnumContextTypeUnknown"));
  }
}

}  // namespace kestrel
