#pragma once
// The machine-wide journal of the simulated 802.1X client's calls, kept in the adapter's
// shared state.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/shared_adapter_state.h"

namespace kestrel::sim {

// The calls that act on the library or the adapter. Pure reads of a context (type, status
// number, texts) and copy/release are not journaled: they would push the meaningful calls
// out of the ring.
enum class Dot1xCall : std::uint32_t {
  GlobalOpenContext = 1,
  IterateAdapters,
  AdapterGetMacAddress,
  AdapterAuthenticateStop,
  ContextConfigWpa,
  ContextConfigWpaEx,
  ConfigLeapCredentials,
  ConfigMd5Credentials,
  ConfigPeapCredentials,
  ConfigTlsCredentials,
  ConfigTtlsCredentials,
  ContextAttachEvent,
  AdapterAuthenticate,
};

// The export's name; "?" for a number no call has.
const char* Dot1xCallName(std::uint32_t call);

// Adds one entry; a detail longer than the entry holds is cut.
void RecordDot1xCall(SharedAdapterState& state, std::uint64_t atMs, std::uint32_t processId,
                     Dot1xCall call, int status, std::string_view detail);

// "802.1x calls: N" and one line per entry still in the ring, oldest first.
std::string Dot1xJournalReport(const SharedAdapterState& state);

}  // namespace kestrel::sim
