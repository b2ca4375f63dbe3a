#pragma once
// The NDIS object identifiers the system reads and writes, with their buffer sizes.

#include <cstdint>

namespace kestrel::oid {

inline constexpr std::uint32_t kGenHardwareStatus = 0x00010102;
inline constexpr std::uint32_t kGenMediaConnectStatus = 0x00010114;
inline constexpr std::uint32_t kGenXmitOk = 0x00020101;
inline constexpr std::uint32_t kGenRcvOk = 0x00020102;
inline constexpr std::uint32_t kGenXmitError = 0x00020103;
inline constexpr std::uint32_t kGenRcvError = 0x00020104;
inline constexpr std::uint32_t k8023CurrentAddress = 0x01010102;

inline constexpr std::uint32_t k80211Bssid = 0x0D010101;
inline constexpr std::uint32_t k80211Ssid = 0x0D010102;
inline constexpr std::uint32_t k80211InfrastructureMode = 0x0D010108;
inline constexpr std::uint32_t k80211AddWep = 0x0D010113;
inline constexpr std::uint32_t k80211RemoveWep = 0x0D010114;
inline constexpr std::uint32_t k80211AuthenticationMode = 0x0D010118;
inline constexpr std::uint32_t k80211WepStatus = 0x0D01011B;
inline constexpr std::uint32_t k80211Rssi = 0x0D010206;

inline constexpr std::uint32_t kVndTxRate = 0xFF000009;
inline constexpr std::uint32_t kVndChannelInfo = 0xFF000013;
inline constexpr std::uint32_t kVndConnectionState = 0xFF000015;
inline constexpr std::uint32_t kVndStatistics = 0xFF00001E;
inline constexpr std::uint32_t kVndCountryCode = 0xFF00001F;
inline constexpr std::uint32_t kVndLinkFlags = 0xFF00002C;
inline constexpr std::uint32_t kVndWmmConfig = 0xFF00002D;
inline constexpr std::uint32_t kVndFf00002e = 0xFF00002E;
inline constexpr std::uint32_t kVndFf10000f = 0xFF10000F;
inline constexpr std::uint32_t kVndFf21000e = 0xFF21000E;
inline constexpr std::uint32_t kVndWirelessMode = 0xFF300002;
inline constexpr std::uint32_t kVndFragThresholdSet = 0xFF300003;
inline constexpr std::uint32_t kVndFragThresholdGet = 0xFF300004;
inline constexpr std::uint32_t kVndRtsThresholdSet = 0xFF300005;
inline constexpr std::uint32_t kVndRtsThresholdGet = 0xFF300006;
inline constexpr std::uint32_t kVndPreambleSet = 0xFF300007;
inline constexpr std::uint32_t kVndPreambleGet = 0xFF300008;
inline constexpr std::uint32_t kVndTxPowerSet = 0xFF300009;
inline constexpr std::uint32_t kVndPowerSaveSet = 0xFF30000B;
inline constexpr std::uint32_t kVndBssList = 0xFF300011;
inline constexpr std::uint32_t kVndAutoCellVersion = 0xFFFF8804;
inline constexpr std::uint32_t kVndFfff8808 = 0xFFFF8808;

inline constexpr std::uint32_t kMediaConnectSize = 10;
inline constexpr std::uint32_t kSsidRecordSize = 36;
inline constexpr std::uint32_t kLinkFlagsSize = 12;
inline constexpr std::uint32_t kWmmConfigSize = 12;
inline constexpr std::uint32_t kFf00002eSize = 12;
inline constexpr std::uint32_t kWirelessModeSize = 8;
inline constexpr std::uint32_t kStatisticsSize = 168;
inline constexpr std::uint32_t kBssListSize = 17920;
inline constexpr std::uint32_t kAutoCellVersionSize = 18;

}  // namespace kestrel::oid
