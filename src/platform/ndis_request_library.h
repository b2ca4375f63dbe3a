#pragma once
// Port: the adapter driver's NDIS request library (DNIN50.dll).

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrel {

// An open adapter, an adapter enumeration or one entry of it. -1 means none.
using NdisHandle = std::intptr_t;
inline constexpr NdisHandle kNoNdisHandle = -1;

inline constexpr std::uint32_t kNdisQueryInformation = 0;
inline constexpr std::uint32_t kNdisSetInformation = 1;

inline constexpr std::size_t kNdisRequestBlockSize = 556;

#pragma pack(push, 4)
// The block handed to the library with every request: 556 bytes in both builds. The head and
// the room after the fields belong to the library; we never write them. The buffer address
// is pointer-sized (32 bits in the x86 build, as the library defines the block; widened in
// the x64 build), the other fields are 32 bits wide.
struct NdisRequestRecord {
  std::uint8_t libraryHead[20];
  std::uint32_t requestType;
  std::uint32_t oid;
  void* buffer;
  std::uint32_t bufferLength;
  std::uint32_t bytesTransferred;
  std::uint32_t bytesNeeded;
  std::uint8_t libraryRoom[kNdisRequestBlockSize - 20 - 5 * 4 - sizeof(void*)];
};
#pragma pack(pop)
static_assert(sizeof(NdisRequestRecord) == kNdisRequestBlockSize,
              "the library expects a 556-byte block");
static_assert(offsetof(NdisRequestRecord, requestType) == 20, "the fields follow a 20-byte head");
static_assert(offsetof(NdisRequestRecord, oid) == 24);
static_assert(offsetof(NdisRequestRecord, buffer) == 28);
#if INTPTR_MAX == INT32_MAX
// The 32-bit block: six 32-bit fields, the library's room from byte 44.
static_assert(offsetof(NdisRequestRecord, bufferLength) == 32);
static_assert(offsetof(NdisRequestRecord, bytesTransferred) == 36);
static_assert(offsetof(NdisRequestRecord, bytesNeeded) == 40);
static_assert(offsetof(NdisRequestRecord, libraryRoom) == 44);
#else
// The 64-bit block: the address is 8 bytes, unaligned at 28; the room starts at byte 48.
static_assert(offsetof(NdisRequestRecord, bufferLength) == 36);
static_assert(offsetof(NdisRequestRecord, bytesTransferred) == 40);
static_assert(offsetof(NdisRequestRecord, bytesNeeded) == 44);
static_assert(offsetof(NdisRequestRecord, libraryRoom) == 48);
#endif

// Laid out as the Win32 overlapped record: zero words, then the completion event.
struct NdisCompletionRecord {
  std::uintptr_t internal;
  std::uintptr_t internalHigh;
  std::uint32_t offset;
  std::uint32_t offsetHigh;
  void* event;
};

// Size of the text buffers of the adapter enumeration (description, device name).
inline constexpr std::uint32_t kAdapterTextBufferSize = 260;

class NdisRequestLibrary {
 public:
  virtual ~NdisRequestLibrary() = default;

  // Opens the adapter by its NUL-terminated ANSI device name; kNoNdisHandle on failure.
  virtual NdisHandle openAdapter(const char* deviceName) = 0;
  // Carries one request; `synchronous` 1 returns only when the driver has completed it.
  // Returns 0 on success; on a query the driver's data is in the buffer and its byte
  // count in `record.bytesTransferred`.
  virtual std::uint32_t makeNdisRequest(NdisHandle adapter, NdisRequestRecord& record,
                                        NdisCompletionRecord& completion,
                                        std::uint32_t synchronous) = 0;
  virtual void closeAdapter(NdisHandle adapter) = 0;
  // Registry path (under the local machine hive) of the network-card class key; empty
  // when the library gives none.
  virtual std::string netCardRegistryPath() = 0;

  // Adapter enumeration, exported by ordinal only. `openAdapterEnum` takes the value 1.
  virtual NdisHandle openAdapterEnum(std::uint32_t value) = 0;
  virtual NdisHandle firstAdapter(NdisHandle enumeration) = 0;
  virtual NdisHandle nextAdapter(NdisHandle enumeration) = 0;
  virtual void releaseAdapter(NdisHandle entry) = 0;
  virtual void closeAdapterEnum(NdisHandle enumeration) = 0;
  // Copy the entry's description / device name into `buffer` of `*size` bytes; 0 on
  // success. Nothing promises a terminating NUL.
  virtual std::uint32_t adapterDescription(NdisHandle entry, char* buffer, std::uint32_t* size) = 0;
  virtual std::uint32_t adapterDeviceName(NdisHandle entry, char* buffer, std::uint32_t* size) = 0;
};

// Port: the unnamed manual-reset event that completes the channel's requests.
class CompletionEvents {
 public:
  virtual ~CompletionEvents() = default;
  // A new non-signalled manual-reset event; nullptr when none can be made.
  virtual void* create() = 0;
  virtual void close(void* event) = 0;
};

}  // namespace kestrel
