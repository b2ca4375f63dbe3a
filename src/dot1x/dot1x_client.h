#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/dot1x_library.h"
#include "profiles/wireless_profile.h"

namespace kestrel {

// Where the binding's diagnostics go. The product's sink discards them; tests read them.
class Dot1xDiagnostics {
 public:
  virtual ~Dot1xDiagnostics() = default;
  virtual void trace(const std::string& line) = 0;
  virtual void standardError(const std::string& line) = 0;
};

class DiscardingDot1xDiagnostics : public Dot1xDiagnostics {
 public:
  void trace(const std::string&) override {}
  void standardError(const std::string&) override {}
};

// What the next credential call carries, filled from the profile being pushed.
struct Dot1xCredentials {
  bool leap = false;
  bool md5 = false;
  bool peap = false;
  bool tls = false;
  bool ttls = false;
  std::string identity;
  std::string user;
  std::string password;
  CertificateBlob caCertificate;  // always empty: passed as absent
  CertificateBlob clientCertificate;
  int option1 = 0;
  int option2 = 0;

  void clearMethods() { leap = md5 = peap = tls = ttls = false; }
};

// The system's one binding to the 802.1X client library.
class Dot1xClient {
 public:
  Dot1xClient(Dot1xLibrary& library, Dot1xDiagnostics& diagnostics);
  ~Dot1xClient();
  Dot1xClient(const Dot1xClient&) = delete;
  Dot1xClient& operator=(const Dot1xClient&) = delete;

  // Opens the global context and finds the library's adapter with this MAC address.
  bool Open(const std::array<std::uint8_t, 6>& mac);
  void StopAuthentication();
  // Passphrase and network name are cut to 63 bytes so both stay NUL-terminated.
  void ConfigureWpaPsk(const std::string& passphrase, const std::string& networkName);
  // 802.1X methods from the profile; ends with StartAuthentication.
  void ConfigureEap(const WirelessProfile& profile);
  void StartAuthentication();
  void Close();
  void TraceResult(AcContext context, const char* label);

  // A reference: the settings page watches the flag for the life of the client.
  const bool& dot1xAvailable() const { return available_; }
  Dot1xCredentials& credentials() { return credentials_; }

 private:
  bool selectAdapter(const std::array<std::uint8_t, 6>& mac);
  void release(AcContext context);
  void traceAndRelease(AcContext result, const char* label);
  void closeEvents();
  std::string adapterName(AcContext adapter);

  Dot1xLibrary& library_;
  Dot1xDiagnostics& diagnostics_;
  bool loaded_ = false;
  bool available_ = false;
  AcContext global_ = nullptr;
  AcContext adapter_ = nullptr;
  void* globalEvent_ = nullptr;
  void* adapterEvent_ = nullptr;
  Dot1xCredentials credentials_;
};

}  // namespace kestrel
