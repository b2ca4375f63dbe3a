#pragma once
// Assembles vendor network-list buffers byte by byte, the way the driver lays them out.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrel::testing {

inline void PutLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

class NetworkRecord {
 public:
  NetworkRecord& bssid(const std::array<std::uint8_t, 6>& mac) {
    bssid_ = mac;
    return *this;
  }
  // Raw SSID bytes, at most 32; the rest of the field stays zero.
  NetworkRecord& ssid(const std::string& text) {
    ssid_ = text.substr(0, 32);
    return *this;
  }
  NetworkRecord& privacy(std::uint32_t value) {
    privacy_ = value;
    return *this;
  }
  NetworkRecord& rssi(std::int32_t dbm) {
    rssi_ = dbm;
    return *this;
  }
  NetworkRecord& mode(std::uint32_t value) {
    mode_ = value;
    return *this;
  }
  NetworkRecord& channel(std::uint32_t mhz, std::uint32_t flags = 0) {
    channel_ = mhz | (flags << 16);
    return *this;
  }
  NetworkRecord& xr(std::uint8_t flag) {
    xr_ = flag;
    return *this;
  }
  // One tagged element: id, length byte, body.
  NetworkRecord& element(std::uint8_t id, const std::vector<std::uint8_t>& body) {
    elements_.push_back(id);
    elements_.push_back(static_cast<std::uint8_t>(body.size()));
    elements_.insert(elements_.end(), body.begin(), body.end());
    return *this;
  }
  NetworkRecord& rawElementBytes(const std::vector<std::uint8_t>& bytes) {
    elements_.insert(elements_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  // Overrides of the two length fields, for lists that lie.
  NetworkRecord& lengthField(std::uint32_t value) {
    length_ = value;
    return *this;
  }
  NetworkRecord& elementsLengthField(std::uint32_t value) {
    elementsLength_ = value;
    return *this;
  }
  // Keeps only the first `size` bytes of the record (its length field unchanged).
  NetworkRecord& truncateTo(std::size_t size) {
    truncate_ = size;
    return *this;
  }

  std::vector<std::uint8_t> bytes() const {
    const std::size_t elementsSize = 12 + elements_.size();  // beacon fixed fields first
    std::vector<std::uint8_t> record(136 + elementsSize, 0);
    PutLe32(record, 0, length_.value_or(static_cast<std::uint32_t>(record.size())));
    std::copy(bssid_.begin(), bssid_.end(), record.begin() + 4);
    PutLe32(record, 12, static_cast<std::uint32_t>(ssid_.size()));
    std::copy(ssid_.begin(), ssid_.end(), record.begin() + 16);
    PutLe32(record, 48, privacy_);
    PutLe32(record, 52, static_cast<std::uint32_t>(rssi_));
    PutLe32(record, 92, mode_);
    PutLe32(record, 112, channel_);
    record[120] = xr_;
    PutLe32(record, 132, elementsLength_.value_or(static_cast<std::uint32_t>(elementsSize)));
    std::copy(elements_.begin(), elements_.end(), record.begin() + 136 + 12);
    if (truncate_)
      record.resize(*truncate_);
    return record;
  }

 private:
  std::array<std::uint8_t, 6> bssid_{{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}};
  std::string ssid_ = "Kestrel";
  std::uint32_t privacy_ = 0;
  std::int32_t rssi_ = -60;
  std::uint32_t mode_ = 1;
  std::uint32_t channel_ = 2412 | (0x0400u << 16);
  std::uint8_t xr_ = 0;
  std::vector<std::uint8_t> elements_;
  std::optional<std::uint32_t> length_;
  std::optional<std::uint32_t> elementsLength_;
  std::optional<std::size_t> truncate_;
};

// The list: count word, then the records back to back; `size` 0 means no padding.
inline std::vector<std::uint8_t> NetworkListBytes(std::uint32_t countWord,
                                                  const std::vector<NetworkRecord>& records,
                                                  std::size_t size = 0) {
  std::vector<std::uint8_t> list(4, 0);
  PutLe32(list, 0, countWord);
  for (const NetworkRecord& record : records) {
    const std::vector<std::uint8_t> bytes = record.bytes();
    list.insert(list.end(), bytes.begin(), bytes.end());
  }
  if (size > list.size())
    list.resize(size, 0);
  return list;
}

// WPA element body: OUI and type, version 1, group TKIP, pairwise suites, one
// key-management suite of the given type.
inline std::vector<std::uint8_t> WpaBody(std::uint8_t keyManagementType,
                                         std::uint16_t pairwiseCount = 1) {
  std::vector<std::uint8_t> body = {0x00, 0x50, 0xF2, 0x01, 0x01, 0x00, 0x00, 0x50, 0xF2, 0x02};
  body.push_back(static_cast<std::uint8_t>(pairwiseCount));
  body.push_back(static_cast<std::uint8_t>(pairwiseCount >> 8));
  for (std::uint16_t i = 0; i < pairwiseCount; ++i)
    body.insert(body.end(), {0x00, 0x50, 0xF2, 0x02});
  body.insert(body.end(), {0x01, 0x00, 0x00, 0x50, 0xF2, keyManagementType});
  return body;
}

// RSN element body: version 1, group CCMP, pairwise suites, one key-management suite.
inline std::vector<std::uint8_t> RsnBody(std::uint8_t keyManagementType,
                                         std::uint16_t pairwiseCount = 1) {
  std::vector<std::uint8_t> body = {0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04};
  body.push_back(static_cast<std::uint8_t>(pairwiseCount));
  body.push_back(static_cast<std::uint8_t>(pairwiseCount >> 8));
  for (std::uint16_t i = 0; i < pairwiseCount; ++i)
    body.insert(body.end(), {0x00, 0x0F, 0xAC, 0x04});
  body.insert(body.end(), {0x01, 0x00, 0x00, 0x0F, 0xAC, keyManagementType});
  return body;
}

// A 24-byte WMM parameter element body (vendor OUI 00 50 F2, type 2).
inline std::vector<std::uint8_t> WmmBody() {
  std::vector<std::uint8_t> body = {0x00, 0x50, 0xF2, 0x02, 0x01, 0x01};
  body.resize(24, 0x03);
  return body;
}

}  // namespace kestrel::testing
