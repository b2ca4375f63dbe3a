#pragma once

#include <cstdint>

#include "parameters/zadapter_info.h"
#include "platform/ndis_request_library.h"

namespace kestrel {

// The one path of NDIS requests to the adapter's driver: synchronous, strictly serial.
// Opened on first use by the current adapter's device name; `openedFlag` is process-wide
// state that the tray monitor clears when the adapter disappears.
class NdisChannel {
 public:
  NdisChannel(NdisRequestLibrary& library, CompletionEvents& events, bool& openedFlag);
  NdisChannel(const NdisChannel&) = delete;
  NdisChannel& operator=(const NdisChannel&) = delete;

  // `buffer` may be null with `length` 0.
  bool set(const ZAdapterInfo& adapter, std::uint32_t oid, void* buffer, std::uint32_t length);
  // On success `bytesWritten` is the driver's byte count, not the buffer size.
  bool query(const ZAdapterInfo& adapter, std::uint32_t oid, void* buffer, std::uint32_t length,
             std::uint32_t& bytesWritten);

 private:
  bool ensureOpen(const ZAdapterInfo& adapter);
  void releaseStale();
  bool request(const ZAdapterInfo& adapter, std::uint32_t type, std::uint32_t oid, void* buffer,
               std::uint32_t length);

  NdisRequestLibrary& library_;
  CompletionEvents& events_;
  bool& opened_;
  NdisHandle handle_ = kNoNdisHandle;
  NdisRequestRecord record_{};
  NdisCompletionRecord completion_{};
};

}  // namespace kestrel
