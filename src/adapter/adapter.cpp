#include "adapter/adapter.h"

#include <algorithm>
#include <cstring>

#include "adapter/byte_order.h"
#include "adapter/oid_conversions.h"

namespace kestrel {

SsidRecord SsidRecord::FromText(std::string_view text) {
  SsidRecord record;
  const std::size_t size = std::min(text.size(), record.ssid.size());
  std::memcpy(record.ssid.data(), text.data(), size);
  record.length = static_cast<std::uint32_t>(size);
  return record;
}

std::string SsidRecord::text() const {
  const std::size_t size = std::min<std::size_t>(length, ssid.size());
  return std::string(ssid.begin(), ssid.begin() + static_cast<std::ptrdiff_t>(size));
}

Adapter::Adapter(NdisRequestLibrary& library, CompletionEvents& events, bool& channelOpenedFlag,
                 const ZAdapterInfo& currentAdapter)
    : channel_(library, events, channelOpenedFlag), current_(currentAdapter) {}

bool Adapter::queryBytes(std::uint32_t oid, std::uint8_t* buffer, std::uint32_t length) {
  std::uint32_t written = 0;
  return channel_.query(current_, oid, buffer, length, written);
}

bool Adapter::setBytes(std::uint32_t oid, std::uint8_t* buffer, std::uint32_t length) {
  return channel_.set(current_, oid, buffer, length);
}

bool Adapter::queryWord(std::uint32_t oid, std::uint32_t& value) {
  std::uint8_t buffer[4] = {};
  if (!queryBytes(oid, buffer, sizeof buffer)) {
    return false;
  }
  value = ReadLe32(buffer);
  return true;
}

bool Adapter::setWord(std::uint32_t oid, std::uint32_t value) {
  std::uint8_t buffer[4];
  WriteLe32(buffer, value);
  return setBytes(oid, buffer, sizeof buffer);
}

bool Adapter::IsMediaConnected() {
  std::uint8_t buffer[oid::kMediaConnectSize] = {};
  return queryBytes(oid::kGenMediaConnectStatus, buffer, sizeof buffer) && ReadLe32(buffer) == 0;
}

bool Adapter::GetHardwareStatus(std::uint32_t& status) {
  return queryWord(oid::kGenHardwareStatus, status);
}
bool Adapter::GetTxOkCount(std::uint32_t& count) {
  return queryWord(oid::kGenXmitOk, count);
}
bool Adapter::GetRxOkCount(std::uint32_t& count) {
  return queryWord(oid::kGenRcvOk, count);
}
bool Adapter::GetTxErrorCount(std::uint32_t& count) {
  return queryWord(oid::kGenXmitError, count);
}
bool Adapter::GetRxErrorCount(std::uint32_t& count) {
  return queryWord(oid::kGenRcvError, count);
}

bool Adapter::GetMacAddress(MacAddress& mac) {
  MacAddress answer{};
  if (!queryBytes(oid::k8023CurrentAddress, answer.data(), 6)) {
    return false;
  }
  mac = answer;
  return true;
}

bool Adapter::GetBssid(MacAddress& bssid) {
  MacAddress answer{};
  if (!queryBytes(oid::k80211Bssid, answer.data(), 6)) {
    return false;
  }
  bssid = answer;
  return true;
}

bool Adapter::GetSsid(SsidRecord& ssid) {
  std::uint8_t buffer[oid::kSsidRecordSize] = {};
  if (!queryBytes(oid::k80211Ssid, buffer, sizeof buffer)) {
    return false;
  }
  ssid.length = ReadLe32(buffer);
  std::memcpy(ssid.ssid.data(), buffer + 4, ssid.ssid.size());
  return true;
}

bool Adapter::SetSsid(const SsidRecord& ssid) {
  std::uint8_t buffer[oid::kSsidRecordSize];
  WriteLe32(buffer, ssid.length);
  std::memcpy(buffer + 4, ssid.ssid.data(), ssid.ssid.size());
  return setBytes(oid::k80211Ssid, buffer, sizeof buffer);
}

bool Adapter::GetInfrastructureMode(std::uint32_t& mode) {
  return queryWord(oid::k80211InfrastructureMode, mode);
}
bool Adapter::SetInfrastructureMode(std::uint32_t mode) {
  return setWord(oid::k80211InfrastructureMode, mode);
}

bool Adapter::AddWep(std::uint32_t keyIndex, const std::uint8_t* key, std::uint32_t keyLength) {
  // The record's room is the key length + 15 bytes, and its first word says so.
  const std::uint32_t total = keyLength + 15;
  std::vector<std::uint8_t> record(total, 0);
  WriteLe32(record.data(), total);
  WriteLe32(record.data() + 4, keyIndex);
  WriteLe32(record.data() + 8, keyLength);
  if (keyLength > 0) {
    std::memcpy(record.data() + 12, key, keyLength);
  }
  return setBytes(oid::k80211AddWep, record.data(), total);
}

bool Adapter::RemoveWep(std::uint32_t keyIndex) {
  return setWord(oid::k80211RemoveWep, keyIndex);
}

bool Adapter::SetAuthenticationMode(std::uint32_t mode) {
  return setWord(oid::k80211AuthenticationMode, mode);
}

bool Adapter::GetWepStatus(std::uint32_t& status) {
  return queryWord(oid::k80211WepStatus, status);
}
bool Adapter::SetWepStatus(std::uint32_t status) {
  return setWord(oid::k80211WepStatus, status);
}

bool Adapter::GetRssi(std::int32_t& dbm) {
  std::uint32_t raw = 0;
  if (!queryWord(oid::k80211Rssi, raw)) {
    return false;
  }
  dbm = ClampRssi(static_cast<std::int32_t>(raw));
  return true;
}

bool Adapter::GetTxRate(std::uint32_t& rate) {
  return queryWord(oid::kVndTxRate, rate);
}

bool Adapter::GetChannelInfo(std::uint32_t& info) {
  return queryWord(oid::kVndChannelInfo, info);
}

bool Adapter::GetChannelText(std::string& text) {
  std::uint32_t info = 0;
  if (!queryWord(oid::kVndChannelInfo, info)) {
    return false;
  }
  text = ChannelText(info);
  return true;
}

bool Adapter::GetConnectionState(std::uint32_t& state) {
  return queryWord(oid::kVndConnectionState, state);
}

bool Adapter::GetStatistics(StatisticsBlock& block) {
  StatisticsBlock answer{};
  if (!queryBytes(oid::kVndStatistics, answer.data(), oid::kStatisticsSize)) {
    return false;
  }
  block = answer;
  return true;
}

bool Adapter::GetCountryCode(std::string& code) {
  std::uint32_t packed = 0;
  if (!queryWord(oid::kVndCountryCode, packed)) {
    return false;
  }
  code = CountryCodeText(packed);
  return true;
}

bool Adapter::SetCountryCode(std::string_view code) {
  return setWord(oid::kVndCountryCode, PackCountryCode(code));
}

int Adapter::GetLinkFlag() {
  std::uint8_t buffer[oid::kLinkFlagsSize] = {};
  if (!queryBytes(oid::kVndLinkFlags, buffer, sizeof buffer)) {
    return 0;
  }
  return (ReadLe32(buffer + 4) & 2u) != 0 ? 1 : 0;
}

bool Adapter::GetWmmConfig(WmmConfig& config) {
  WmmConfig answer{};
  if (!queryBytes(oid::kVndWmmConfig, answer.data(), oid::kWmmConfigSize)) {
    return false;
  }
  config = answer;
  return true;
}

bool Adapter::SetWmmConfig(const WmmConfig& config) {
  WmmConfig copy = config;
  return setBytes(oid::kVndWmmConfig, copy.data(), oid::kWmmConfigSize);
}

bool Adapter::SetFf00002e(std::uint8_t value) {
  std::uint8_t buffer[oid::kFf00002eSize] = {};
  buffer[4] = value;
  return setBytes(oid::kVndFf00002e, buffer, sizeof buffer);
}

bool Adapter::SetFf10000f(std::uint32_t value) {
  return setWord(oid::kVndFf10000f, value);
}

bool Adapter::SendFf21000e() {
  return setBytes(oid::kVndFf21000e, nullptr, 0);
}

bool Adapter::SetWirelessMode(const WirelessModeRecord& mode) {
  std::uint8_t buffer[oid::kWirelessModeSize];
  WriteLe32(buffer, mode.modeMask);
  WriteLe32(buffer + 4, mode.adHoc);
  return setBytes(oid::kVndWirelessMode, buffer, sizeof buffer);
}

bool Adapter::SetFragThreshold(std::uint32_t bytes) {
  return setWord(oid::kVndFragThresholdSet, bytes);
}
bool Adapter::GetFragThreshold(std::uint32_t& bytes) {
  return queryWord(oid::kVndFragThresholdGet, bytes);
}
bool Adapter::SetRtsThreshold(std::uint32_t bytes) {
  return setWord(oid::kVndRtsThresholdSet, bytes);
}
bool Adapter::GetRtsThreshold(std::uint32_t& bytes) {
  return queryWord(oid::kVndRtsThresholdGet, bytes);
}
bool Adapter::SetPreamble(std::uint32_t setting) {
  return setWord(oid::kVndPreambleSet, setting);
}
bool Adapter::GetPreamble(std::uint32_t& setting) {
  return queryWord(oid::kVndPreambleGet, setting);
}
bool Adapter::SetTxPower(std::uint32_t setting) {
  return setWord(oid::kVndTxPowerSet, setting);
}
bool Adapter::SetPowerSave(std::uint32_t setting) {
  return setWord(oid::kVndPowerSaveSet, setting);
}

bool Adapter::GetBssList(std::vector<std::uint8_t>& block) {
  std::vector<std::uint8_t> answer(oid::kBssListSize, 0);
  if (!queryBytes(oid::kVndBssList, answer.data(), oid::kBssListSize)) {
    return false;
  }
  block.swap(answer);
  return true;
}

bool Adapter::GetAutoCellVersion(std::string& text) {
  char buffer[oid::kAutoCellVersionSize] = {};
  if (!queryBytes(oid::kVndAutoCellVersion, reinterpret_cast<std::uint8_t*>(buffer),
                  sizeof buffer)) {
    return false;
  }
  text.assign(buffer, std::find(buffer, buffer + sizeof buffer, '\0'));
  return true;
}

bool Adapter::SendFfff8808() {
  return setBytes(oid::kVndFfff8808, nullptr, 0);
}

}  // namespace kestrel
