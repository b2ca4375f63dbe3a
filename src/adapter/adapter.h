#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/ndis_channel.h"
#include "adapter/oids.h"
#include "parameters/zadapter_info.h"

namespace kestrel {

// NDIS 802.11 SSID record: length word, then up to 32 bytes of text (no NUL at 32).
struct SsidRecord {
  std::uint32_t length = 0;
  std::array<std::uint8_t, 32> ssid{};

  static SsidRecord FromText(std::string_view text);  // longer texts are cut at 32 bytes
  std::string text() const;                           // a length past 32 reads as 32
};

// Vendor wireless mode record: mode bit mask; 0 in infrastructure mode, otherwise the
// ad hoc band in bits 0..15 and the ad hoc channel in bits 16..31.
struct WirelessModeRecord {
  std::uint32_t modeMask = 0;
  std::uint32_t adHoc = 0;
};

using MacAddress = std::array<std::uint8_t, 6>;
using WmmConfig = std::array<std::uint8_t, oid::kWmmConfigSize>;
using StatisticsBlock = std::array<std::uint8_t, oid::kStatisticsSize>;

inline constexpr std::uint32_t kTransmitKeyFlag = 0x80000000u;

// The one object through which the system talks to the driver: one operation per OID.
// Every operation passes the application's current adapter and returns true exactly when
// its request succeeded; out parameters are written only from the driver's answer.
class Adapter {
 public:
  Adapter(NdisRequestLibrary& library, CompletionEvents& events, bool& channelOpenedFlag,
          const ZAdapterInfo& currentAdapter);

  bool IsMediaConnected();
  bool GetHardwareStatus(std::uint32_t& status);
  bool GetTxOkCount(std::uint32_t& count);
  bool GetRxOkCount(std::uint32_t& count);
  bool GetTxErrorCount(std::uint32_t& count);
  bool GetRxErrorCount(std::uint32_t& count);
  bool GetMacAddress(MacAddress& mac);
  bool GetBssid(MacAddress& bssid);
  bool GetSsid(SsidRecord& ssid);
  bool SetSsid(const SsidRecord& ssid);
  bool GetInfrastructureMode(std::uint32_t& mode);
  bool SetInfrastructureMode(std::uint32_t mode);
  // Bit 31 of `keyIndex` marks the transmit key.
  bool AddWep(std::uint32_t keyIndex, const std::uint8_t* key, std::uint32_t keyLength);
  bool RemoveWep(std::uint32_t keyIndex);
  bool SetAuthenticationMode(std::uint32_t mode);
  bool GetWepStatus(std::uint32_t& status);
  bool SetWepStatus(std::uint32_t status);
  bool GetRssi(std::int32_t& dbm);
  bool GetTxRate(std::uint32_t& rate);
  bool GetChannelInfo(std::uint32_t& info);
  bool GetChannelText(std::string& text);
  bool GetConnectionState(std::uint32_t& state);
  bool GetStatistics(StatisticsBlock& block);
  bool GetCountryCode(std::string& code);
  bool SetCountryCode(std::string_view code);
  int GetLinkFlag();  // 0 also when the query fails
  bool GetWmmConfig(WmmConfig& config);
  bool SetWmmConfig(const WmmConfig& config);
  bool SetFf00002e(std::uint8_t value);
  bool SetFf10000f(std::uint32_t value);
  bool SendFf21000e();
  bool SetWirelessMode(const WirelessModeRecord& mode);
  bool SetFragThreshold(std::uint32_t bytes);
  bool GetFragThreshold(std::uint32_t& bytes);
  bool SetRtsThreshold(std::uint32_t bytes);
  bool GetRtsThreshold(std::uint32_t& bytes);
  bool SetPreamble(std::uint32_t setting);
  bool GetPreamble(std::uint32_t& setting);
  bool SetTxPower(std::uint32_t setting);
  bool SetPowerSave(std::uint32_t setting);
  // The vendor network list: `block` becomes the whole 17920-byte buffer.
  bool GetBssList(std::vector<std::uint8_t>& block);
  bool GetAutoCellVersion(std::string& text);
  bool SendFfff8808();

  NdisChannel& channel() { return channel_; }

 private:
  bool queryWord(std::uint32_t oid, std::uint32_t& value);
  bool setWord(std::uint32_t oid, std::uint32_t value);
  bool queryBytes(std::uint32_t oid, std::uint8_t* buffer, std::uint32_t length);
  bool setBytes(std::uint32_t oid, std::uint8_t* buffer, std::uint32_t length);

  NdisChannel channel_;
  const ZAdapterInfo& current_;
};

}  // namespace kestrel
