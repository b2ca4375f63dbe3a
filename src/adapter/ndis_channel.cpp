#include "adapter/ndis_channel.h"

namespace kestrel {

NdisChannel::NdisChannel(NdisRequestLibrary& library, CompletionEvents& events, bool& openedFlag)
    : library_(library), events_(events), opened_(openedFlag) {}

bool NdisChannel::set(const ZAdapterInfo& adapter, std::uint32_t oid, void* buffer,
                      std::uint32_t length) {
  return request(adapter, kNdisSetInformation, oid, buffer, length);
}

bool NdisChannel::query(const ZAdapterInfo& adapter, std::uint32_t oid, void* buffer,
                        std::uint32_t length, std::uint32_t& bytesWritten) {
  if (!request(adapter, kNdisQueryInformation, oid, buffer, length)) {
    return false;
  }
  bytesWritten = record_.bytesTransferred;
  return true;
}

// A handle left from before the flag was cleared is closed rather than leaked.
void NdisChannel::releaseStale() {
  if (handle_ != kNoNdisHandle) {
    library_.closeAdapter(handle_);
    handle_ = kNoNdisHandle;
  }
  if (completion_.event != nullptr) {
    events_.close(completion_.event);
    completion_.event = nullptr;
  }
}

bool NdisChannel::ensureOpen(const ZAdapterInfo& adapter) {
  if (opened_) {
    return true;
  }
  releaseStale();
  const NdisHandle handle = library_.openAdapter(adapter.deviceName.c_str());
  if (handle == kNoNdisHandle) {
    return false;
  }
  completion_ = NdisCompletionRecord{};
  completion_.event = events_.create();
  if (completion_.event == nullptr) {
    library_.closeAdapter(handle);
    return false;
  }
  handle_ = handle;
  opened_ = true;
  return true;
}

bool NdisChannel::request(const ZAdapterInfo& adapter, std::uint32_t type, std::uint32_t oid,
                          void* buffer, std::uint32_t length) {
  if (!ensureOpen(adapter)) {
    return false;
  }
  record_.requestType = type;
  record_.oid = oid;
  record_.buffer = buffer;
  record_.bufferLength = length;
  record_.bytesTransferred = 0;
  record_.bytesNeeded = 0;
  return library_.makeNdisRequest(handle_, record_, completion_, 1) == 0;
}

}  // namespace kestrel
