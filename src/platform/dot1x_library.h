#pragma once
// Port: the outside 802.1X client library. Every object it hands out is an opaque context
// that the caller releases; almost every call answers with a new result context.

#include <cstdint>
#include <string>

namespace kestrel {

using AcContext = void*;  // nullptr: none

// Context type numbers, as the library reports them.
enum AcContextTypeNumber : int {
  kAcUnknownType = 0,
  kAcAdapterType = 1,
  kAcAdapterIteratorType = 2,
  kAcCredentialsType = 3,
  kAcGlobalType = 4,
  kAcStatusType = 5,
  kAcErrorType = 6,
  kAcLogErrorType = 7,
};

inline constexpr int kAcStatusSuccess = 30;
inline constexpr std::uint32_t kAcTextBufferSize = 1000;

// A 32-bit length followed by that many bytes (a certificate thumbprint: 0 or 20).
struct CertificateBlob {
  std::uint32_t length = 0;
  std::uint8_t bytes[20] = {};
};

// Why the library could not be bound.
struct Dot1xLoadFailure {
  enum class Kind { None, LibraryNotFound, FunctionNotFound, OrdinalNotFound };
  Kind kind = Kind::None;
  std::string library;   // the file tried last
  std::string function;  // for FunctionNotFound
  int ordinal = 0;       // for OrdinalNotFound
};

class Dot1xLibrary {
 public:
  virtual ~Dot1xLibrary() = default;

  // Binds the library on first use; true when it and every function the system calls are
  // there. Later calls after a success return true at once.
  virtual bool load(Dot1xLoadFailure& failure) = 0;

  virtual AcContext globalOpenContext(const char* applicationName, const char* text) = 0;
  virtual int contextType(AcContext context) = 0;
  virtual AcContext iterateAdapters(AcContext global) = 0;
  virtual AcContext iterateAdaptersNext(AcContext iterator) = 0;
  virtual AcContext adapterGetMacAddress(AcContext adapter, std::uint8_t mac[6]) = 0;
  virtual int statusNumber(AcContext result) = 0;
  virtual AcContext contextCopyHandle(AcContext context) = 0;
  // Nonzero on success.
  virtual int contextRelease(AcContext context) = 0;

  virtual AcContext adapterAuthenticateStop(AcContext adapter) = 0;
  virtual AcContext contextConfigWpa(AcContext adapter, int enable) = 0;
  // `passphrase` and `networkName` may be null.
  virtual AcContext contextConfigWpaEx(AcContext adapter, int enable, const char* passphrase,
                                       const char* networkName, int reserved1, int reserved2) = 0;
  virtual AcContext configLeapCredentials(AcContext adapter, const char* user,
                                          const char* password) = 0;
  virtual AcContext configMd5Credentials(AcContext adapter, const char* user,
                                         const char* password) = 0;
  // Blobs may be null (absent).
  virtual AcContext configPeapCredentials(AcContext adapter, const char* identity,
                                          const CertificateBlob* caCertificate,
                                          const CertificateBlob* clientCertificate, int option1,
                                          const char* user, const char* password, int option2,
                                          int flag1, int flag2) = 0;
  virtual AcContext configTlsCredentials(AcContext adapter, const char* identity,
                                         const CertificateBlob* caCertificate,
                                         const CertificateBlob* clientCertificate, int option2,
                                         int flag1, int flag2) = 0;
  virtual AcContext configTtlsCredentials(AcContext adapter, const char* identity,
                                          const CertificateBlob* caCertificate,
                                          const CertificateBlob* clientCertificate, int option1,
                                          const char* user, const char* password, int option2,
                                          int flag1, int flag2) = 0;
  virtual AcContext contextAttachEvent(AcContext context, void* event) = 0;
  virtual AcContext adapterAuthenticate(AcContext adapter, int flags) = 0;

  // Diagnostics. Texts are written NUL-terminated into `buffer` of `size` bytes.
  virtual AcContext adapterGetName(AcContext adapter, char* buffer, std::uint32_t size) = 0;
  virtual AcContext statusFormat(AcContext result, char* buffer, std::uint32_t size) = 0;
  virtual AcContext statusRelatedContext(AcContext result) = 0;
  virtual AcContext getLogError(AcContext logError, char* buffer, std::uint32_t size) = 0;
  virtual int credentialsNumber(AcContext credentials) = 0;

  // The two auto-reset events attached when authentication starts.
  virtual void* createAutoResetEvent() = 0;
  virtual void closeEvent(void* event) = 0;
};

}  // namespace kestrel
