#include "model/simulated_adapter.h"

#include <algorithm>
#include <cstring>

#include "adapter/byte_order.h"
#include "adapter/oids.h"

namespace kestrel::sim {

namespace {

std::uint32_t Answer(const void* data, std::uint32_t size, std::uint8_t* buffer,
                     std::uint32_t length, std::uint32_t& written) {
  if (buffer == nullptr || length < size)
    return kStatusBufferTooShort;
  std::memcpy(buffer, data, size);
  written = size;
  return kStatusSuccess;
}

std::uint32_t AnswerWord(std::uint32_t value, std::uint8_t* buffer, std::uint32_t length,
                         std::uint32_t& written) {
  std::uint8_t bytes[4];
  WriteLe32(bytes, value);
  return Answer(bytes, sizeof bytes, buffer, length, written);
}

}  // namespace

std::uint32_t SimulatedAdapter::request(std::uint32_t type, std::uint32_t oid, std::uint8_t* buffer,
                                        std::uint32_t length, std::uint32_t& written) {
  written = 0;
  if (!state_.present)
    return kStatusAdapterNotReady;
  return type == 0 ? query(oid, buffer, length, written) : set(oid, buffer, length);
}

std::uint32_t SimulatedAdapter::query(std::uint32_t oid, std::uint8_t* buffer, std::uint32_t length,
                                      std::uint32_t& written) {
  switch (oid) {
    case oid::kGenHardwareStatus:
      return AnswerWord(0, buffer, length, written);
    case oid::k8023CurrentAddress:
      return Answer(state_.mac.data(), 6, buffer, length, written);
    case oid::k80211Ssid: {
      std::uint8_t record[oid::kSsidRecordSize] = {};
      const auto size = static_cast<std::uint32_t>(std::min<std::size_t>(state_.ssid.size(), 32));
      WriteLe32(record, size);
      std::memcpy(record + 4, state_.ssid.data(), size);
      return Answer(record, sizeof record, buffer, length, written);
    }
    case oid::kVndChannelInfo:
      return AnswerWord(state_.channelInfo, buffer, length, written);
    case oid::kVndCountryCode:
      return AnswerWord(state_.countryCode, buffer, length, written);
    default:
      return kStatusNotSupported;
  }
}

std::uint32_t SimulatedAdapter::set(std::uint32_t oid, const std::uint8_t* buffer,
                                    std::uint32_t length) {
  switch (oid) {
    case oid::k80211Ssid: {
      if (buffer == nullptr || length < oid::kSsidRecordSize)
        return kStatusInvalidLength;
      const std::uint32_t size = std::min<std::uint32_t>(ReadLe32(buffer), 32);
      state_.ssid.assign(reinterpret_cast<const char*>(buffer + 4), size);
      return kStatusSuccess;
    }
    case oid::kVndCountryCode:
      if (buffer == nullptr || length < 4)
        return kStatusInvalidLength;
      state_.countryCode = ReadLe32(buffer) & 0xFFFF;
      return kStatusSuccess;
    default:
      return kStatusNotSupported;
  }
}

}  // namespace kestrel::sim
