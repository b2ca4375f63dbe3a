#include "model/simulated_adapter.h"

#include <algorithm>
#include <cstring>

#include "adapter/byte_order.h"
#include "adapter/oids.h"
#include "model/bss_list.h"
#include "model/simulated_link.h"

namespace kestrel::sim {

namespace {

// Average frame sizes and error rates that turn byte counts into frame counts.
constexpr std::uint64_t kTxFrameBytes = 420;
constexpr std::uint64_t kRxFrameBytes = 980;
constexpr std::uint64_t kTxFramesPerError = 6000;
constexpr std::uint64_t kRxFramesPerError = 4000;

constexpr std::uint32_t kMinThreshold = 256;
constexpr std::uint32_t kMaxThreshold = 2346;

RequestResult Answer(const void* data, std::uint32_t size, std::uint8_t* buffer,
                     std::uint32_t length) {
  if (buffer == nullptr || length < size)
    return {kStatusBufferTooShort, 0, size};
  std::memcpy(buffer, data, size);
  return {kStatusSuccess, size, 0};
}

RequestResult AnswerWord(std::uint32_t value, std::uint8_t* buffer, std::uint32_t length) {
  std::uint8_t bytes[4];
  WriteLe32(bytes, value);
  return Answer(bytes, sizeof bytes, buffer, length);
}

RequestResult TooShort(std::uint32_t needed) {
  return {kStatusInvalidLength, 0, needed};
}

RequestResult Invalid() {
  return {kStatusInvalidData, 0, 0};
}

bool Fits(const std::uint8_t* buffer, std::uint32_t length, std::uint32_t needed) {
  return length >= needed && (needed == 0 || buffer != nullptr);
}

void WriteLe64(std::uint8_t* bytes, std::uint64_t value) {
  WriteLe32(bytes, static_cast<std::uint32_t>(value));
  WriteLe32(bytes + 4, static_cast<std::uint32_t>(value >> 32));
}

// Sets of one 32-bit word: stores it when the buffer holds one.
RequestResult StoreWord(std::uint32_t& field, const std::uint8_t* buffer, std::uint32_t length) {
  if (!Fits(buffer, length, 4))
    return TooShort(4);
  field = ReadLe32(buffer);
  return {};
}

RequestResult StoreThreshold(std::uint32_t& field, const std::uint8_t* buffer,
                             std::uint32_t length) {
  if (!Fits(buffer, length, 4))
    return TooShort(4);
  const std::uint32_t value = ReadLe32(buffer);
  if (value < kMinThreshold || value > kMaxThreshold)
    return Invalid();
  field = value;
  return {};
}

RequestResult StoreRecord(std::uint8_t* field, std::uint32_t size, const std::uint8_t* buffer,
                          std::uint32_t length) {
  if (!Fits(buffer, length, size))
    return TooShort(size);
  std::memcpy(field, buffer, size);
  return {};
}

}  // namespace

SimulatedAdapter::SimulatedAdapter(SharedAdapterState& state, SimClock& clock, RandomSource& random)
    : state_(state), clock_(clock), random_(random) {}

void SimulatedAdapter::advance() {
  AdvanceLink(state_, clock_.nowMs(), random_);
}

RequestResult SimulatedAdapter::request(std::uint32_t type, std::uint32_t oid, std::uint8_t* buffer,
                                        std::uint32_t length, std::uint32_t processId) {
  advance();
  RequestResult result;
  if (failingRequests()) {
    result.status = kStatusFailure;
  } else if (oid == oid::kGenHardwareStatus && type == 0) {
    result = AnswerWord(state_.present ? 0 : kHardwareNotReady, buffer, length);
  } else if (!state_.present) {
    result.status = kStatusAdapterNotReady;
  } else if (type == 0) {
    result = query(oid, buffer, length);
  } else if (type == 1) {
    result = set(oid, buffer, length);
  } else {
    result.status = kStatusNotSupported;
  }
  log(type, oid, length, result.status, processId);
  return result;
}

void SimulatedAdapter::log(std::uint32_t type, std::uint32_t oid, std::uint32_t length,
                           std::uint32_t status, std::uint32_t processId) {
  RequestLogEntry& entry = state_.requestLog[state_.requestCount % kRequestLogSize];
  entry = RequestLogEntry{};
  entry.atMs = clock_.nowMs();
  entry.processId = processId;
  entry.type = type;
  entry.oid = oid;
  entry.length = length;
  entry.status = status;
  ++state_.requestCount;
}

std::uint64_t SimulatedAdapter::txFrames() const {
  return LinkTotals(state_).tx / kTxFrameBytes;
}
std::uint64_t SimulatedAdapter::rxFrames() const {
  return LinkTotals(state_).rx / kRxFrameBytes;
}
std::uint64_t SimulatedAdapter::txErrors() const {
  return txFrames() / kTxFramesPerError;
}
std::uint64_t SimulatedAdapter::rxErrors() const {
  return rxFrames() / kRxFramesPerError;
}

RequestResult SimulatedAdapter::query(std::uint32_t oid, std::uint8_t* buffer,
                                      std::uint32_t length) {
  const NetworkSlot* network = LinkNetwork(state_);
  switch (oid) {
    case oid::kGenMediaConnectStatus:
      return AnswerWord(IsConnected(state_) ? 0 : 1, buffer, length);
    case oid::kGenXmitOk:
      return AnswerWord(static_cast<std::uint32_t>(txFrames()), buffer, length);
    case oid::kGenRcvOk:
      return AnswerWord(static_cast<std::uint32_t>(rxFrames()), buffer, length);
    case oid::kGenXmitError:
      return AnswerWord(static_cast<std::uint32_t>(txErrors()), buffer, length);
    case oid::kGenRcvError:
      return AnswerWord(static_cast<std::uint32_t>(rxErrors()), buffer, length);
    case oid::k8023CurrentAddress:
      return Answer(state_.mac, 6, buffer, length);
    case oid::k80211Bssid:
      if (network == nullptr)
        return {kStatusAdapterNotReady, 0, 0};
      return Answer(network->bssid, 6, buffer, length);
    case oid::k80211Ssid: {
      // The network being joined; before that, the SSID asked for.
      std::uint8_t record[oid::kSsidRecordSize] = {};
      const std::uint8_t* ssid = network ? network->ssid : state_.desiredSsid;
      const std::uint32_t size =
          std::min(network ? network->ssidLength : state_.desiredSsidLength, kMaxSsidBytes);
      WriteLe32(record, size);
      std::memcpy(record + 4, ssid, size);
      return Answer(record, sizeof record, buffer, length);
    }
    case oid::k80211InfrastructureMode:
      return AnswerWord(state_.infrastructureMode, buffer, length);
    case oid::k80211WepStatus:
      return AnswerWord(state_.wepStatus, buffer, length);
    case oid::k80211Rssi:
      if (network == nullptr)
        return {kStatusAdapterNotReady, 0, 0};
      return AnswerWord(static_cast<std::uint32_t>(LinkRssi(state_)), buffer, length);
    case oid::kVndTxRate:
      return AnswerWord(TxRateCode(state_), buffer, length);
    case oid::kVndChannelInfo:
      return AnswerWord(state_.channelWord, buffer, length);
    case oid::kVndConnectionState:
      return AnswerWord(ConnectionStateCode(state_), buffer, length);
    case oid::kVndStatistics: {
      std::uint8_t block[oid::kStatisticsSize] = {};
      const TrafficBytes totals = LinkTotals(state_);
      WriteLe64(block + kStatTxFrames, txFrames());
      WriteLe64(block + kStatTxErrors, txErrors());
      WriteLe64(block + kStatTxBytes, totals.tx);
      WriteLe64(block + kStatRxFrames, rxFrames());
      WriteLe64(block + kStatRxErrors, rxErrors());
      WriteLe64(block + kStatRxBytes, totals.rx);
      return Answer(block, sizeof block, buffer, length);
    }
    case oid::kVndCountryCode:
      return AnswerWord(state_.countryCode, buffer, length);
    case oid::kVndLinkFlags: {
      // Word 0: associated; word 1 bit 1: the signal is about to be lost.
      std::uint8_t record[oid::kLinkFlagsSize] = {};
      const bool connected = IsConnected(state_);
      WriteLe32(record, connected ? 1 : 0);
      WriteLe32(record + 4, connected && LinkRssi(state_) < kWeakLinkDbm ? 2 : 0);
      return Answer(record, sizeof record, buffer, length);
    }
    case oid::kVndWmmConfig:
      return Answer(state_.wmmConfig, oid::kWmmConfigSize, buffer, length);
    case oid::kVndFragThresholdGet:
      return AnswerWord(state_.fragThreshold, buffer, length);
    case oid::kVndRtsThresholdGet:
      return AnswerWord(state_.rtsThreshold, buffer, length);
    case oid::kVndPreambleGet:
      return AnswerWord(state_.preamble, buffer, length);
    case oid::kVndBssList:
      if (buffer == nullptr || length < oid::kBssListSize)
        return {kStatusBufferTooShort, 0, oid::kBssListSize};
      BuildBssList(state_, buffer, oid::kBssListSize);
      return {kStatusSuccess, oid::kBssListSize, 0};
    case oid::kVndAutoCellVersion: {
      char text[oid::kAutoCellVersionSize] = {};
      static_assert(sizeof kAutoCellVersionText <= sizeof text);
      std::memcpy(text, kAutoCellVersionText, sizeof kAutoCellVersionText);
      return Answer(text, sizeof text, buffer, length);
    }
    default:
      return {kStatusNotSupported, 0, 0};
  }
}

RequestResult SimulatedAdapter::set(std::uint32_t oid, const std::uint8_t* buffer,
                                    std::uint32_t length) {
  switch (oid) {
    case oid::k80211Ssid:
      return setSsid(buffer, length);
    case oid::k80211InfrastructureMode: {
      if (!Fits(buffer, length, 4))
        return TooShort(4);
      const std::uint32_t mode = ReadLe32(buffer);
      if (mode > 2)
        return Invalid();
      state_.infrastructureMode = mode;
      return {};
    }
    case oid::k80211AddWep:
      return addWep(buffer, length);
    case oid::k80211RemoveWep: {
      if (!Fits(buffer, length, 4))
        return TooShort(4);
      const std::uint32_t index = ReadLe32(buffer);
      if (index > 3)
        return Invalid();
      state_.wepKeys[index] = WepKeySlot{};
      return {};
    }
    case oid::k80211AuthenticationMode: {
      std::uint32_t mode = 0;
      const RequestResult result = StoreWord(mode, buffer, length);
      if (result.status != kStatusSuccess)
        return result;
      if (mode > 9)
        return Invalid();
      state_.authenticationMode = mode;
      return {};
    }
    case oid::k80211WepStatus: {
      std::uint32_t status = 0;
      const RequestResult result = StoreWord(status, buffer, length);
      if (result.status != kStatusSuccess)
        return result;
      if (status > 7)
        return Invalid();
      state_.wepStatus = status;
      return {};
    }
    case oid::kVndCountryCode: {
      if (!Fits(buffer, length, 4))
        return TooShort(4);
      state_.countryCode = ReadLe32(buffer) & 0xFFFF;
      return {};
    }
    case oid::kVndWmmConfig:
      return StoreRecord(state_.wmmConfig, oid::kWmmConfigSize, buffer, length);
    case oid::kVndFf00002e: {
      const RequestResult result = StoreRecord(state_.ff00002e, oid::kFf00002eSize, buffer, length);
      state_.vendorCommandCount += result.status == kStatusSuccess ? 1 : 0;
      return result;
    }
    case oid::kVndFf10000f: {
      const RequestResult result = StoreWord(state_.ff10000f, buffer, length);
      state_.vendorCommandCount += result.status == kStatusSuccess ? 1 : 0;
      return result;
    }
    case oid::kVndFf21000e:
      ++state_.vendorCommandCount;
      ++state_.scanTriggerCount;
      return {};
    case oid::kVndFfff8808:
      ++state_.vendorCommandCount;
      return {};
    case oid::kVndWirelessMode: {
      if (!Fits(buffer, length, oid::kWirelessModeSize))
        return TooShort(oid::kWirelessModeSize);
      state_.wirelessMode[0] = ReadLe32(buffer);
      state_.wirelessMode[1] = ReadLe32(buffer + 4);
      return {};
    }
    case oid::kVndFragThresholdSet:
      return StoreThreshold(state_.fragThreshold, buffer, length);
    case oid::kVndRtsThresholdSet:
      return StoreThreshold(state_.rtsThreshold, buffer, length);
    case oid::kVndPreambleSet:
      return StoreWord(state_.preamble, buffer, length);
    case oid::kVndTxPowerSet:
      return StoreWord(state_.txPower, buffer, length);
    case oid::kVndPowerSaveSet:
      return StoreWord(state_.powerSave, buffer, length);
    default:
      return {kStatusNotSupported, 0, 0};
  }
}

RequestResult SimulatedAdapter::setSsid(const std::uint8_t* buffer, std::uint32_t length) {
  if (!Fits(buffer, length, oid::kSsidRecordSize))
    return TooShort(oid::kSsidRecordSize);
  const std::uint32_t size = ReadLe32(buffer);
  if (size > kMaxSsidBytes)
    return Invalid();
  std::memset(state_.desiredSsid, 0, sizeof state_.desiredSsid);
  std::memcpy(state_.desiredSsid, buffer + 4, size);
  state_.desiredSsidLength = size;
  RestartAssociation(state_, clock_.nowMs());
  return {};
}

// Record: total length, key index (bit 31 the transmit key), key length, key bytes.
RequestResult SimulatedAdapter::addWep(const std::uint8_t* buffer, std::uint32_t length) {
  if (!Fits(buffer, length, 12))
    return TooShort(12);
  const std::uint32_t total = ReadLe32(buffer);
  const std::uint32_t index = ReadLe32(buffer + 4);
  const std::uint32_t keyLength = ReadLe32(buffer + 8);
  if (total < 12 || total > length || keyLength > total - 12 || keyLength > kMaxWepKeyBytes)
    return TooShort(12 + keyLength);
  const std::uint32_t slot = index & 0xFF;
  if (slot > 3 || (index & 0x7FFFFF00u) != 0 || keyLength == 0)
    return Invalid();
  WepKeySlot& key = state_.wepKeys[slot];
  key = WepKeySlot{};
  key.present = 1;
  key.length = keyLength;
  std::memcpy(key.bytes, buffer + 12, keyLength);
  if (index & 0x80000000u)
    state_.transmitKey = slot;
  return {};
}

void SimulatedAdapter::failRequestsFor(std::uint32_t ms) {
  state_.failRequestsUntilMs = clock_.nowMs() + std::min(ms, kMaxFailRequestsMs);
}

bool SimulatedAdapter::failingRequests() const {
  const std::uint64_t now = clock_.nowMs();
  return now < state_.failRequestsUntilMs && state_.failRequestsUntilMs - now <= kMaxFailRequestsMs;
}

void SimulatedAdapter::failDot1xCalls(bool failing) {
  state_.dot1xFailing = failing ? 1 : 0;
}

bool SimulatedAdapter::failingDot1xCalls() const {
  return state_.dot1xFailing != 0;
}

void SimulatedAdapter::setPresent(bool present) {
  advance();
  if (present != (state_.present != 0))
    RestartAssociation(state_, clock_.nowMs());  // a removal ends the link, its traffic kept
  state_.present = present ? 1 : 0;
}

int SimulatedAdapter::setNetworkLevel(std::string_view ssid, std::int32_t dbm) {
  advance();
  int changed = 0;
  for (std::uint32_t i = 0; i < state_.networkCount; ++i) {
    if (NetworkSsid(state_.networks[i]) == ssid) {
      state_.networks[i].levelDbm = dbm;
      ++changed;
    }
  }
  return changed;
}

void SimulatedAdapter::loadScenario(const Scenario& scenario) {
  advance();
  LoadScenario(state_, scenario, clock_.nowMs());
}

void SimulatedAdapter::reset(const Scenario& scenario) {
  ResetState(state_, scenario, clock_.nowMs());
}

void SimulatedAdapter::reportDot1xPassphrase(std::string_view passphrase) {
  advance();
  const std::size_t size = std::min<std::size_t>(passphrase.size(), kMaxPassphraseBytes);
  std::memset(state_.dot1xPassphrase, 0, sizeof state_.dot1xPassphrase);
  std::memcpy(state_.dot1xPassphrase, passphrase.data(), size);
  state_.dot1xPassphraseLength = static_cast<std::uint32_t>(size);
  state_.dot1xReported = 1;
}

void SimulatedAdapter::clearDot1xPassphrase() {
  advance();
  state_.dot1xReported = 0;
}

}  // namespace kestrel::sim
