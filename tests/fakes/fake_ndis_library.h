#pragma once
// In-memory NDIS request library: logs every request and answers what the test scripts.

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ndis_request_library.h"

namespace kestrel::fakes {

struct LoggedRequest {
  std::uint32_t type;
  std::uint32_t oid;
  std::uint32_t length;
  bool nullBuffer;
  std::vector<std::uint8_t> bytes;  // what a set carried
  NdisHandle handle;
};

struct FakeAdapterEntry {
  std::string description;
  std::string deviceName;
  bool readable = true;
};

class FakeNdisLibrary : public NdisRequestLibrary {
 public:
  // Scripting.
  bool openFails = false;
  std::uint32_t failStatus = 0;  // non-zero: every request fails with it
  std::map<std::uint32_t, std::vector<std::uint8_t>> answers;  // query OID -> driver data
  std::map<std::uint32_t, std::uint32_t> failingOids;          // OID -> status
  std::vector<FakeAdapterEntry> adapters;
  bool enumerationFails = false;
  std::string registryPath =
      "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";

  // Observations.
  std::vector<LoggedRequest> requests;
  std::vector<std::string> openedNames;
  std::vector<NdisHandle> closedAdapters;
  int openEnumerations = 0;
  int liveEntries = 0;
  // Requests refused because a count word or a fresh handle's completion words were
  // left over from an earlier request.
  int staleRecords = 0;
  static constexpr std::uint32_t kStaleRecordStatus = 0xC0DE0001;

  void answerWord(std::uint32_t oid, std::uint32_t value) {
    answers[oid] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                    static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  }

  NdisHandle openAdapter(const char* deviceName) override {
    openedNames.push_back(deviceName);
    if (openFails)
      return kNoNdisHandle;
    freshHandles_.insert(nextHandle_);
    return nextHandle_++;
  }

  std::uint32_t makeNdisRequest(NdisHandle adapter, NdisRequestRecord& record,
                                NdisCompletionRecord& completion,
                                std::uint32_t synchronous) override {
    lastSynchronous = synchronous;
    lastEvent = completion.event;
    auto* buffer = static_cast<std::uint8_t*>(record.buffer);
    LoggedRequest logged{record.requestType, record.oid, record.bufferLength,
                         buffer == nullptr,  {},         adapter};
    if (record.requestType == kNdisSetInformation && buffer != nullptr) {
      logged.bytes.assign(buffer, buffer + record.bufferLength);
    }
    requests.push_back(logged);
    const bool freshHandle = freshHandles_.erase(adapter) != 0;
    if (record.bytesTransferred != 0 || record.bytesNeeded != 0 ||
        (freshHandle && !completionWordsZero(completion))) {
      ++staleRecords;
      return kStaleRecordStatus;
    }
    if (failStatus != 0)
      return failStatus;
    if (auto failing = failingOids.find(record.oid); failing != failingOids.end()) {
      return failing->second;
    }
    if (record.requestType == kNdisQueryInformation) {
      const auto answer = answers.find(record.oid);
      if (answer == answers.end())
        return 1;
      const std::size_t count = std::min<std::size_t>(answer->second.size(), record.bufferLength);
      if (count > 0)
        std::memcpy(buffer, answer->second.data(), count);
      record.bytesTransferred = static_cast<std::uint32_t>(count);
      // What a driver reports for a short buffer; the overlapped words carry the count
      // as the system leaves them after a completed request.
      if (answer->second.size() > record.bufferLength)
        record.bytesNeeded = static_cast<std::uint32_t>(answer->second.size());
      completion.internalHigh = count;
    }
    return 0;
  }

  void closeAdapter(NdisHandle adapter) override { closedAdapters.push_back(adapter); }
  std::string netCardRegistryPath() override { return registryPath; }

  NdisHandle openAdapterEnum(std::uint32_t value) override {
    enumValue = value;
    if (enumerationFails)
      return kNoNdisHandle;
    ++openEnumerations;
    cursor_ = 0;
    return 7000;
  }
  NdisHandle firstAdapter(NdisHandle) override {
    cursor_ = 0;
    return entryAtCursor();
  }
  NdisHandle nextAdapter(NdisHandle) override {
    ++cursor_;
    return entryAtCursor();
  }
  void releaseAdapter(NdisHandle) override { --liveEntries; }
  void closeAdapterEnum(NdisHandle) override { --openEnumerations; }

  std::uint32_t adapterDescription(NdisHandle entry, char* buffer, std::uint32_t* size) override {
    return copyText(entry, &FakeAdapterEntry::description, buffer, size);
  }
  std::uint32_t adapterDeviceName(NdisHandle entry, char* buffer, std::uint32_t* size) override {
    return copyText(entry, &FakeAdapterEntry::deviceName, buffer, size);
  }

  std::uint32_t lastSynchronous = 0;
  void* lastEvent = nullptr;
  std::uint32_t enumValue = 0;
  std::vector<std::uint32_t> textSizesOffered;

 private:
  static constexpr NdisHandle kFirstEntry = 100;

  static bool completionWordsZero(const NdisCompletionRecord& completion) {
    return completion.internal == 0 && completion.internalHigh == 0 && completion.offset == 0 &&
           completion.offsetHigh == 0;
  }

  NdisHandle entryAtCursor() {
    if (cursor_ >= adapters.size())
      return kNoNdisHandle;
    ++liveEntries;
    return kFirstEntry + static_cast<NdisHandle>(cursor_);
  }

  // Copies as much of the text as the size word allows, NUL included when it fits.
  std::uint32_t copyText(NdisHandle entry, std::string FakeAdapterEntry::*field, char* buffer,
                         std::uint32_t* size) {
    textSizesOffered.push_back(*size);
    const auto& adapter = adapters.at(static_cast<std::size_t>(entry - kFirstEntry));
    if (!adapter.readable)
      return 1;
    const std::string& text = adapter.*field;
    const std::size_t count = std::min<std::size_t>(text.size() + 1, *size);
    std::memcpy(buffer, text.c_str(), count);
    *size = static_cast<std::uint32_t>(count);
    return 0;
  }

  NdisHandle nextHandle_ = 1;
  std::set<NdisHandle> freshHandles_;  // opened, no request carried yet
  std::size_t cursor_ = 0;
};

class FakeCompletionEvents : public CompletionEvents {
 public:
  bool createFails = false;
  int created = 0;
  std::vector<void*> closed;

  void* create() override {
    if (createFails)
      return nullptr;
    ++created;
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x1000 + created));
  }
  void close(void* event) override { closed.push_back(event); }
};

}  // namespace kestrel::fakes
