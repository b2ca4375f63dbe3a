#pragma once
// The simulated KESTREL LX740N's driver: answers NDIS requests as the real driver would,
// over a state record it does not own (in DNIN50.dll, the machine-wide shared copy; the
// caller holds its lock).

#include <cstdint>
#include <string_view>

#include "model/scenario.h"
#include "model/shared_adapter_state.h"
#include "model/sim_environment.h"

namespace kestrel::sim {

// NDIS status values the model answers with.
inline constexpr std::uint32_t kStatusSuccess = 0;
inline constexpr std::uint32_t kStatusFailure = 0xC0000001;
inline constexpr std::uint32_t kStatusNotSupported = 0xC00000BB;
inline constexpr std::uint32_t kStatusAdapterNotReady = 0xC0010011;
inline constexpr std::uint32_t kStatusInvalidLength = 0xC0010014;
inline constexpr std::uint32_t kStatusInvalidData = 0xC0010015;
inline constexpr std::uint32_t kStatusBufferTooShort = 0xC0010016;

// The longest spell of failing requests. A deadline further off than this (a snapshot from
// before the machine's clock started again) has ended.
inline constexpr std::uint32_t kMaxFailRequestsMs = 10 * 60 * 1000;

// NDIS hardware status while the card is out of its slot.
inline constexpr std::uint32_t kHardwareNotReady = 4;

// "v" + version at 1..8, month at 10..12, then the year; the day is read from 13..14,
// which the year's first two digits also fill, so the text is dated the 20th.
inline constexpr char kAutoCellVersionText[] = "v4.0.1.23 Jun2005";

// Offsets of the 64-bit counters in the statistics block.
inline constexpr std::uint32_t kStatTxFrames = 0;
inline constexpr std::uint32_t kStatTxErrors = 16;
inline constexpr std::uint32_t kStatTxBytes = 32;
inline constexpr std::uint32_t kStatRxFrames = 72;
inline constexpr std::uint32_t kStatRxErrors = 88;
inline constexpr std::uint32_t kStatRxBytes = 104;

struct RequestResult {
  std::uint32_t status = kStatusSuccess;
  std::uint32_t written = 0;  // bytes answered by a query
  std::uint32_t needed = 0;   // bytes the OID needs, when the buffer was too short
};

class SimulatedAdapter {
 public:
  SimulatedAdapter(SharedAdapterState& state, SimClock& clock, RandomSource& random);

  // One request: `type` 0 query, 1 set. Every request first brings the link up to the
  // clock and is then entered in the request log under `processId`.
  RequestResult request(std::uint32_t type, std::uint32_t oid, std::uint8_t* buffer,
                        std::uint32_t length, std::uint32_t processId = 0);

  // Brings the link and the counters up to the clock.
  void advance();

  // Card inserted or removed. Reinsertion starts a new association.
  void setPresent(bool present);
  // Every request, the hardware status too, fails for the next `ms` (0 ends it at once;
  // at most kMaxFailRequestsMs).
  void failRequestsFor(std::uint32_t ms);
  bool failingRequests() const;
  // The simulated 802.1X client answers every call with an error while this is on.
  void failDot1xCalls(bool failing);
  bool failingDot1xCalls() const;
  // Sets the mean signal of every network named `ssid`; returns how many there were.
  int setNetworkLevel(std::string_view ssid, std::int32_t dbm);
  void loadScenario(const Scenario& scenario);
  void reset(const Scenario& scenario);

  // The hook for the simulated 802.1X client. It reports the passphrase (WPA-PSK) or the
  // credential (802.1X) it was configured with for the current association, after the SSID
  // was set. A WPA link that is authenticating then connects when the text equals the
  // network's, and falls back to scanning when it does not; until a report, it waits.
  void reportDot1xPassphrase(std::string_view passphrase);
  // The client stopped authenticating: an earlier report no longer counts.
  void clearDot1xPassphrase();

  // Derived counters, as the packet-count OIDs report them.
  std::uint64_t txFrames() const;
  std::uint64_t rxFrames() const;
  std::uint64_t txErrors() const;
  std::uint64_t rxErrors() const;

  SharedAdapterState& state() { return state_; }

 private:
  RequestResult query(std::uint32_t oid, std::uint8_t* buffer, std::uint32_t length);
  RequestResult set(std::uint32_t oid, const std::uint8_t* buffer, std::uint32_t length);
  RequestResult setSsid(const std::uint8_t* buffer, std::uint32_t length);
  RequestResult addWep(const std::uint8_t* buffer, std::uint32_t length);
  void log(std::uint32_t type, std::uint32_t oid, std::uint32_t length, std::uint32_t status,
           std::uint32_t processId);

  SharedAdapterState& state_;
  SimClock& clock_;
  RandomSource& random_;
};

}  // namespace kestrel::sim
