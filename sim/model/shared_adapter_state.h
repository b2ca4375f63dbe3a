#pragma once
// The whole simulated adapter as one fixed-layout record. Every process that loads
// DNIN50.dll maps the same copy, so it holds only fixed-width integers and byte arrays:
// no pointers, no std types, no padding the compilers could disagree on.

#include <cstdint>
#include <type_traits>

namespace kestrel::sim {

inline constexpr std::uint32_t kStateMagic = 0x314D534B;  // "KSM1"
inline constexpr std::uint32_t kStateLayoutVersion = 4;
inline constexpr std::uint32_t kMaxNetworks = 32;
inline constexpr std::uint32_t kRequestLogSize = 16;
inline constexpr std::uint32_t kMaxSsidBytes = 32;
inline constexpr std::uint32_t kMaxWepKeyBytes = 32;
inline constexpr std::uint32_t kMaxPassphraseBytes = 63;
inline constexpr std::uint32_t kDot1xJournalSize = 24;
inline constexpr std::uint32_t kDot1xJournalDetailBytes = 56;

enum class Security : std::uint32_t { None = 0, Wep, WpaPsk, Wpa2Psk, WpaEap, Wpa2Eap };

// The stages of an association, with the connection-state codes the driver reports.
enum class LinkPhase : std::uint32_t {
  Scanning = 0,
  Connected = 1,
  Authenticating = 2,
  Connecting = 3
};

// Why the last association attempt ended, for the status report.
enum class LinkFailure : std::uint32_t { None = 0, NotInRange, NetworkType, Encryption, WrongKey };

struct NetworkSlot {
  std::uint8_t ssid[kMaxSsidBytes];
  std::uint32_t ssidLength;
  std::uint8_t bssid[6];
  std::uint8_t xr;            // extended range
  std::uint8_t wmm;           // advertises WMM
  std::uint32_t channelWord;  // MHz in bits 0..15, flags above (0x0100 turbo, 0x0400 OFDM 2.4)
  Security security;
  std::uint32_t infrastructureMode;  // 0 ad hoc, 1 infrastructure
  std::int32_t levelDbm;             // mean signal; below kAudibleFloorDbm it is out of range
  std::uint32_t keyLength;           // WEP key
  std::uint8_t key[kMaxWepKeyBytes];
  std::uint32_t passphraseLength;  // WPA passphrase, or the 802.1X credential the client reports
  char passphrase[64];
};

struct WepKeySlot {
  std::uint32_t present;
  std::uint32_t length;
  std::uint8_t bytes[kMaxWepKeyBytes];
};

struct RequestLogEntry {
  std::uint64_t atMs;
  std::uint32_t processId;
  std::uint32_t type;  // 0 query, 1 set
  std::uint32_t oid;
  std::uint32_t length;
  std::uint32_t status;
  std::uint32_t reserved;
};

// One call of the simulated 802.1X client (AegisE5.dll), in any process.
struct Dot1xJournalEntry {
  std::uint64_t atMs;
  std::uint32_t processId;
  std::uint32_t call;   // Dot1xCall
  std::int32_t status;  // status number of the call's result
  std::uint32_t reserved;
  char detail[kDot1xJournalDetailBytes];  // NUL-terminated
};

struct SharedAdapterState {
  std::uint32_t magic;
  std::uint32_t layoutVersion;
  std::uint32_t size;
  std::uint32_t present;
  std::uint8_t mac[6];
  std::uint8_t reserved0[2];
  std::uint32_t countryCode;  // first letter in bits 8..15, second in bits 0..7
  std::uint32_t loadKbps;     // mean traffic of a connected link
  // SnapshotDigest of the state as last saved outside the section (not part of the digest).
  std::uint64_t snapshotDigest;

  // Radio settings, as last set.
  std::uint32_t wirelessMode[2];
  std::uint32_t fragThreshold;
  std::uint32_t rtsThreshold;
  std::uint32_t preamble;
  std::uint32_t txPower;
  std::uint32_t powerSave;
  std::uint8_t wmmConfig[12];
  std::uint8_t ff00002e[12];
  std::uint32_t ff10000f;
  std::uint32_t infrastructureMode;
  std::uint32_t authenticationMode;
  std::uint32_t wepStatus;
  WepKeySlot wepKeys[4];
  std::uint32_t transmitKey;
  std::uint32_t vendorCommandCount;  // the vendor OIDs without documented meaning
  std::uint32_t scanTriggerCount;

  // The association the driver was asked for: the SSID last set.
  std::uint32_t desiredSsidLength;
  std::uint8_t desiredSsid[kMaxSsidBytes];

  // The link.
  LinkPhase phase;
  std::int32_t network;  // index of the network being joined or joined; -1 none
  std::uint32_t reserved4;
  std::uint64_t phaseStartMs;
  std::uint64_t lastAdvanceMs;
  std::uint32_t blocked;  // an attempt failed on security: no retry until the SSID is set again
  LinkFailure lastFailure;
  std::int32_t rssiOffset;  // the random walk around the network's level
  std::uint32_t channelWord;
  std::uint64_t walkRemainderMs;

  // What the 802.1X client reported for the current association (see ReportDot1xPassphrase).
  std::uint32_t dot1xReported;
  std::uint32_t dot1xPassphraseLength;
  char dot1xPassphrase[64];

  // Traffic of the links before the current one; the current link's is worked out from
  // the time since it came up (LinkTotals).
  std::uint64_t txBytesBefore;
  std::uint64_t rxBytesBefore;

  std::uint32_t networkCount;
  std::uint32_t reserved1;
  NetworkSlot networks[kMaxNetworks];

  std::uint32_t requestCount;
  std::uint32_t reserved2;
  RequestLogEntry requestLog[kRequestLogSize];  // ring; requestCount % size is the next slot

  // The simulated 802.1X client's calls: its contexts live in each process, its journal
  // here, so kestrel-sim can show what every process asked of it.
  std::uint32_t dot1xCallCount;
  // Nonzero: the client answers every call with an error (kestrel-sim dot1x-fail).
  std::uint32_t dot1xFailing;
  Dot1xJournalEntry dot1xJournal[kDot1xJournalSize];  // ring, like the request log

  // A driver in trouble: until this time every request fails (kestrel-sim fail-requests).
  std::uint64_t failRequestsUntilMs;
};

static_assert(std::is_trivially_copyable_v<SharedAdapterState>);
static_assert(std::is_standard_layout_v<SharedAdapterState>);
static_assert(sizeof(SharedAdapterState) % 8 == 0);
static_assert(std::has_unique_object_representations_v<SharedAdapterState>, "no padding");

// True when `state` was written by this layout (a mapping or a snapshot from elsewhere is
// used only then).
inline bool HasCurrentLayout(const SharedAdapterState& state) {
  return state.magic == kStateMagic && state.layoutVersion == kStateLayoutVersion &&
         state.size == sizeof(SharedAdapterState) && state.networkCount <= kMaxNetworks;
}

}  // namespace kestrel::sim
