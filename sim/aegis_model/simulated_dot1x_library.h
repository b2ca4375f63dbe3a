#pragma once
// The simulated 802.1X client library, as one process sees it: its contexts live here,
// the adapter it authenticates and the journal of its calls in the machine's simulated
// adapter. The functions answer as the library's exports do (AegisE5.dll forwards to them).

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "aegis_model/context_table.h"
#include "model/dot1x_journal.h"
#include "model/sim_environment.h"
#include "model/simulated_adapter.h"
#include "platform/dot1x_library.h"

namespace kestrel::sim {

// The machine's simulated adapter, reached under its lock.
class AdapterAccess {
 public:
  virtual ~AdapterAccess() = default;
  // False (and `work` not run) when the adapter's state cannot be had.
  virtual bool withAdapter(const std::function<void(SimulatedAdapter&)>& work) = 0;
};

// Status numbers the simulated library answers with.
inline constexpr int kAcErrorBufferTooSmall = 40;
inline constexpr int kAcErrorFailure = 41;
inline constexpr int kAcErrorInitializationFailure = 42;
inline constexpr int kAcErrorNotAdapterContext = 46;
inline constexpr int kAcErrorNotCorrectContext = 47;
inline constexpr int kAcErrorNotCorrectContextForEvent = 48;
inline constexpr int kAcErrorNotGlobalContext = 49;
inline constexpr int kAcErrorNotIteratorContext = 50;
inline constexpr int kAcErrorNullFunctionParameter = 51;
inline constexpr int kAcErrorNullContext = 52;
inline constexpr int kAcErrorInvalidParameter = 59;

// Texts longer than these are refused as invalid parameters.
inline constexpr std::size_t kMaxCredentialBytes = 256;
inline constexpr std::size_t kMinPassphraseBytes = 8;

// Numbered as AcCredentialsNumber reports them.
enum class EapMethod : int { None = 0, Ttls = 2, Tls = 3, Md5 = 4, Leap = 5, Peap = 6 };

// What the library was told for one adapter.
struct AdapterConfiguration {
  bool wpa = false;
  std::string passphrase;  // WPA-PSK, set with WPA on; empty otherwise
  std::string networkName;
  EapMethod method = EapMethod::None;
  std::string identity;
  std::string user;
  std::string password;
  std::uint32_t clientCertificateLength = 0;
  bool authenticating = false;
};

struct LibraryAdapter {
  std::string name;
  bool simulated = false;             // the simulated card: MAC and link from the shared state
  std::array<std::uint8_t, 6> mac{};  // the others' fixed address
  ObjectId object = 0;
  AdapterConfiguration configuration;
};

class SimulatedDot1xLibrary {
 public:
  SimulatedDot1xLibrary(AdapterAccess& access, SimClock& clock, std::uint32_t processId);

  AcContext globalOpenContext(const char* applicationName, const char* text);
  int contextType(AcContext context);
  AcContext iterateAdapters(AcContext global);
  AcContext iterateAdaptersNext(AcContext iterator);
  AcContext adapterGetMacAddress(AcContext adapter, std::uint8_t* mac);
  int statusNumber(AcContext status);
  AcContext contextCopyHandle(AcContext context);
  int contextRelease(AcContext context);

  AcContext adapterAuthenticateStop(AcContext adapter);
  AcContext contextConfigWpa(AcContext adapter, int enable);
  AcContext contextConfigWpaEx(AcContext adapter, int enable, const char* passphrase,
                               const char* networkName, int reserved1, int reserved2);
  AcContext configLeapCredentials(AcContext adapter, const char* user, const char* password);
  AcContext configMd5Credentials(AcContext adapter, const char* user, const char* password);
  AcContext configPeapCredentials(AcContext adapter, const char* identity,
                                  const CertificateBlob* caCertificate,
                                  const CertificateBlob* clientCertificate, int option1,
                                  const char* user, const char* password, int option2, int flag1,
                                  int flag2);
  AcContext configTlsCredentials(AcContext adapter, const char* identity,
                                 const CertificateBlob* caCertificate,
                                 const CertificateBlob* clientCertificate, int option2, int flag1,
                                 int flag2);
  AcContext configTtlsCredentials(AcContext adapter, const char* identity,
                                  const CertificateBlob* caCertificate,
                                  const CertificateBlob* clientCertificate, int option1,
                                  const char* user, const char* password, int option2, int flag1,
                                  int flag2);
  AcContext contextAttachEvent(AcContext context, void* event);
  // Reports the configured passphrase or password to the simulated adapter.
  AcContext adapterAuthenticate(AcContext adapter, int flags);

  // Texts are cut to fit `size` bytes with their NUL; a cut text answers
  // AcErrorBufferTooSmall. Nothing is written to a null buffer or one of size 0.
  AcContext adapterGetName(AcContext adapter, char* buffer, std::uint32_t size);
  AcContext statusFormat(AcContext status, char* buffer, std::uint32_t size);
  AcContext statusRelatedContext(AcContext status);
  // The process's last error, for any live context.
  AcContext getLogError(AcContext context, char* buffer, std::uint32_t size);
  // The EAP method configured for an adapter context; 0 for anything else.
  int credentialsNumber(AcContext context);

  const std::vector<LibraryAdapter>& adapters() const { return adapters_; }
  std::size_t openHandles() const { return contexts_.handleCount(); }
  std::size_t liveObjects() const { return contexts_.objectCount(); }

 private:
  struct Found {
    LibraryAdapter* adapter = nullptr;
    ObjectId id = 0;
    int error = 0;  // why there is no adapter
  };

  AcContext makeResult(int status, const std::string& text, ObjectId related = 0);
  AcContext makeError(const char* call, int status, const std::string& text);
  AcContext contextError(const char* call, AcContext context);
  bool failingEveryCall();
  AcContext failedCall(const char* call, int status = kAcErrorFailure);
  AcContext failedText(const char* call, char* buffer, std::uint32_t size);
  Found findAdapter(AcContext context);
  AcContext withAdapter(const char* call, AcContext context,
                        const std::function<AcContext(LibraryAdapter&, ObjectId)>& work);
  AcContext configureCredentials(const char* call, Dot1xCall journalCall, AcContext adapter,
                                 EapMethod method, const char* identity,
                                 const CertificateBlob* clientCertificate, const char* user,
                                 const char* password);
  AcContext writeText(const char* call, const std::string& text, char* buffer, std::uint32_t size,
                      ObjectId related = 0);
  bool simulatedAdapterPresent(std::array<std::uint8_t, 6>* mac);
  AcContext journal(Dot1xCall call, AcContext result, const std::string& detail);

  AdapterAccess& access_;
  SimClock& clock_;
  std::uint32_t processId_;
  ContextTable contexts_;
  std::vector<LibraryAdapter> adapters_;
  std::string lastError_;
};

}  // namespace kestrel::sim
