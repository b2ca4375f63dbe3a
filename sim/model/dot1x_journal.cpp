#include "model/dot1x_journal.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dot1x/dot1x_names.h"

namespace kestrel::sim {

const char* Dot1xCallName(std::uint32_t call) {
  static const char* const kNames[] = {
      "?",
      "AcGlobalOpenContextA",
      "AcIterateAdapters",
      "AcAdapterGetMacAddress",
      "AcAdapterAuthenticateStop",
      "AcContextConfigWpa",
      "AcContextConfigWpaEx",
      "AcContextConfigLeapCredentialsA",
      "AcContextConfigMd5CredentialsA",
      "AcContextConfigPeapCredentialsA",
      "AcContextConfigTLSCredentialsA",
      "AcContextConfigTTLSCredentialsA",
      "AcContextAttachEvent",
      "AcAdapterAuthenticate",
  };
  return call < std::size(kNames) ? kNames[call] : kNames[0];
}

void RecordDot1xCall(SharedAdapterState& state, std::uint64_t atMs, std::uint32_t processId,
                     Dot1xCall call, int status, std::string_view detail) {
  Dot1xJournalEntry& entry = state.dot1xJournal[state.dot1xCallCount % kDot1xJournalSize];
  entry = Dot1xJournalEntry{};
  entry.atMs = atMs;
  entry.processId = processId;
  entry.call = static_cast<std::uint32_t>(call);
  entry.status = status;
  const std::size_t size = std::min<std::size_t>(detail.size(), sizeof entry.detail - 1);
  std::memcpy(entry.detail, detail.data(), size);
  ++state.dot1xCallCount;
}

std::string Dot1xJournalReport(const SharedAdapterState& state) {
  std::string out = "802.1x calls: " + std::to_string(state.dot1xCallCount) + "\n";
  const std::uint32_t shown = std::min(state.dot1xCallCount, kDot1xJournalSize);
  for (std::uint32_t i = state.dot1xCallCount - shown; i != state.dot1xCallCount; ++i) {
    const Dot1xJournalEntry& e = state.dot1xJournal[i % kDot1xJournalSize];
    // The detail came through shared memory: never trust its terminator.
    const auto length = std::find(e.detail, e.detail + sizeof e.detail, '\0') - e.detail;
    char line[160 + kDot1xJournalDetailBytes];
    std::snprintf(line, sizeof line, "802.1x call: pid %u %s status %d %s%s%.*s\n", e.processId,
                  Dot1xCallName(e.call), e.status, StatusName(e.status), length > 0 ? " -- " : "",
                  static_cast<int>(length), e.detail);
    out += line;
  }
  return out;
}

}  // namespace kestrel::sim
