#pragma once
// The simulated KESTREL LX740N's driver: answers NDIS requests as the real driver would.

#include <array>
#include <cstdint>
#include <string>

namespace kestrel::sim {

// NDIS status values the model answers with.
inline constexpr std::uint32_t kStatusSuccess = 0;
inline constexpr std::uint32_t kStatusNotSupported = 0xC00000BB;
inline constexpr std::uint32_t kStatusInvalidLength = 0xC0010014;
inline constexpr std::uint32_t kStatusBufferTooShort = 0xC0010016;
inline constexpr std::uint32_t kStatusAdapterNotReady = 0xC0010011;

struct AdapterState {
  bool present = true;
  std::array<std::uint8_t, 6> mac{0x00, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D};
  std::string ssid = "kestrel-lab";
  std::uint32_t channelInfo = 2437 | (0x0400u << 16);  // channel 6, 802.11g
  std::uint32_t countryCode = 0x4A50;                  // "JP"
};

class SimulatedAdapter {
 public:
  AdapterState& state() { return state_; }

  // One request: `type` 0 query, 1 set. On a query `written` is the byte count answered;
  // a buffer too short for the answer fails with kStatusBufferTooShort.
  std::uint32_t request(std::uint32_t type, std::uint32_t oid, std::uint8_t* buffer,
                        std::uint32_t length, std::uint32_t& written);

 private:
  std::uint32_t query(std::uint32_t oid, std::uint8_t* buffer, std::uint32_t length,
                      std::uint32_t& written);
  std::uint32_t set(std::uint32_t oid, const std::uint8_t* buffer, std::uint32_t length);

  AdapterState state_;
};

}  // namespace kestrel::sim
