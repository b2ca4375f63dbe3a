#include "monitor/network_list.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "adapter/byte_order.h"
#include "adapter/oid_conversions.h"
#include "monitor/monitor_texts.h"

namespace kestrel {

namespace {

// Offsets inside one record.
constexpr std::size_t kBssidAt = 4;
constexpr std::size_t kSsidAt = 16;
constexpr std::size_t kSsidSize = 32;
constexpr std::size_t kPrivacyAt = 48;
constexpr std::size_t kRssiAt = 52;
constexpr std::size_t kModeAt = 92;
constexpr std::size_t kChannelAt = 112;
constexpr std::size_t kXrAt = 120;
constexpr std::size_t kElementsLengthAt = 132;
constexpr std::size_t kElementsAt = 136;

// A record must at least reach the end of its infrastructure-mode word. The channel word
// and XR flag of a shorter-than-usual record lie past its end, as the format's own
// 104-byte rule for the elements admits; they are read from the buffer, which must hold
// them.
constexpr std::uint32_t kShortestRecord = kModeAt + 4;
constexpr std::size_t kFixedFieldsEnd = kXrAt + 1;

constexpr std::uint32_t kElementsNeedRecordAbove = 104;
constexpr std::uint32_t kBeaconFixedFields = 12;  // timestamp, interval, capabilities

constexpr std::uint8_t kVendorElement = 221;
constexpr std::uint8_t kRsnElement = 48;
constexpr std::uint8_t kWpaElementMinimum = 16;
constexpr std::uint8_t kRsnElementMinimum = 12;
constexpr std::array<std::uint8_t, 3> kWpaOui = {0x00, 0x50, 0xF2};
constexpr std::array<std::uint8_t, 3> kRsnOui = {0x00, 0x0F, 0xAC};
constexpr std::uint8_t kWpaOuiType = 1;

struct SecurityNames {
  std::array<std::uint8_t, 3> oui;
  const char* enterprise;
  const char* preSharedKey;
  const char* adHoc;
};
constexpr SecurityNames kWpaNames = {kWpaOui, "WPA", "WPA-PSK", "WPA-NONE"};
constexpr SecurityNames kRsnNames = {kRsnOui, "WPA2", "WPA2-PSK", "WPA2-NONE"};

std::uint16_t ReadLe16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

bool HasOui(const std::uint8_t* bytes, const std::array<std::uint8_t, 3>& oui) {
  return std::equal(oui.begin(), oui.end(), bytes);
}

// The body of a WPA element after its OUI and type, or of an RSN element: version,
// group cipher, pairwise suites, then the key-management suites, whose first one names
// the security. Lists that run past the element leave the text as it was.
void ReadKeyManagement(const std::uint8_t* body, std::size_t size, const SecurityNames& names,
                       std::uint32_t mode, const char*& security) {
  std::size_t at = 2 + 4;  // version, group cipher
  if (size - at < 2)
    return;
  const std::size_t pairwise = ReadLe16(body + at);
  at += 2;
  if ((size - at) / 4 < pairwise)
    return;
  at += pairwise * 4;
  if (size - at < 2)
    return;
  const std::size_t keyManagement = ReadLe16(body + at);
  at += 2;
  if (keyManagement == 0 || size - at < 4)
    return;
  const std::uint8_t* suite = body + at;
  if (!HasOui(suite, names.oui))
    return;
  switch (suite[3]) {
    case 1:
      security = names.enterprise;
      break;
    case 0:
    case 2:
      security = mode != 0 ? names.preSharedKey : names.adHoc;
      break;
    default:
      break;
  }
}

// Walks the tagged elements after the beacon's fixed fields. A later WPA or RSN element
// overrides an earlier one; a vendor element of full size that is not WPA, a zero length
// byte, or an element running past the area ends the walk.
void WalkSecurityElements(const std::uint8_t* elements, std::uint32_t length, std::uint32_t mode,
                          const char*& security) {
  std::uint32_t position = kBeaconFixedFields;
  while (length > position + 3) {
    const std::uint8_t id = elements[position];
    const std::uint8_t elementLength = elements[position + 1];
    const std::uint8_t* body = elements + position + 2;
    if (elementLength > length - position - 2)
      return;
    if (id == kVendorElement && elementLength >= kWpaElementMinimum) {
      if (!HasOui(body, kWpaOui) || body[3] != kWpaOuiType)
        return;
      ReadKeyManagement(body + 4, elementLength - 4u, kWpaNames, mode, security);
    } else if (id == kRsnElement && elementLength >= kRsnElementMinimum) {
      ReadKeyManagement(body, elementLength, kRsnNames, mode, security);
    }
    position += elementLength + 2u;
    if (length <= position + 3 || elements[position + 1] == 0)
      return;
  }
}

// The column texts are written by hand rather than through printf: a full list is 127
// rows of seven texts, and the formatting was most of the parse.

// Writes `value` as "%3d" does, ending at `end`; returns where it starts.
char* DecimalAtLeast3Wide(int value, char* end) {
  char* at = end;
  const bool negative = value < 0;
  auto magnitude = negative ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  do {
    *--at = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative)
    *--at = '-';
  while (end - at < 3)
    *--at = ' ';
  return at;
}

// " %3d (%s)"
std::string ChannelColumn(const ChannelNumberAndBand& channel) {
  char text[32];
  char* const digitsEnd = text + 12;  // room for a sign and ten digits after the space
  char* const start = DecimalAtLeast3Wide(static_cast<int>(channel.number), digitsEnd) - 1;
  *start = ' ';
  char* at = digitsEnd;
  *at++ = ' ';
  *at++ = '(';
  for (const char* band = channel.band; *band != '\0' && at < text + sizeof text - 1; ++band)
    *at++ = *band;
  *at++ = ')';
  return std::string(start, at);
}

// "%3d %%"
std::string SignalColumn(int percent) {
  char text[16];
  char* const end = text + sizeof text;
  end[-2] = ' ';
  end[-1] = '%';
  return std::string(DecimalAtLeast3Wide(percent, end - 2), end);
}

// "%02X:%02X:%02X:%02X:%02X:%02X"
std::string BssidColumn(const std::uint8_t* bssid) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  char text[17];
  for (std::size_t i = 0; i < 6; ++i) {
    text[3 * i] = kHex[bssid[i] >> 4];
    text[3 * i + 1] = kHex[bssid[i] & 0x0F];
    if (i < 5)
      text[3 * i + 2] = ':';
  }
  return std::string(text, sizeof text);
}

template <std::size_t N>
std::string Literal(const char (&text)[N]) {
  return std::string(text, N - 1);
}

// `record` holds at least kFixedFieldsEnd readable bytes and `length` readable bytes.
SurveyRow ParseRecord(const std::uint8_t* record, std::uint32_t length) {
  const std::uint32_t mode = ReadLe32(record + kModeAt);
  const char* security = ReadLe32(record + kPrivacyAt) != 0 ? "WEP" : "none";
  if (length > kElementsNeedRecordAbove && length >= kElementsAt) {
    const std::uint32_t room = length - static_cast<std::uint32_t>(kElementsAt);
    const std::uint32_t elementsLength = std::min(ReadLe32(record + kElementsLengthAt), room);
    if (elementsLength > kBeaconFixedFields) {
      WalkSecurityElements(record + kElementsAt, elementsLength, mode, security);
    }
  }
  const std::uint8_t* ssid = record + kSsidAt;
  const auto rssi = static_cast<std::int32_t>(ReadLe32(record + kRssiAt));
  const std::uint32_t channelWord = ReadLe32(record + kChannelAt);
  const ChannelNumberAndBand channel = DecodeChannelWord(channelWord);

  SurveyPicture picture = SurveyPicture::Default;
  if (mode == 1) {
    picture = SurveyPicture::AccessPoint;
  } else if (mode == 0) {
    picture = SurveyPicture::AdHoc;
  }
  const bool xr = record[kXrAt] != 0;
  const int signalPercent = SurveySignalPercent(rssi);
  return SurveyRow{
      std::string(ssid, std::find(ssid, ssid + kSsidSize, 0)),
      xr ? Literal("XR") : Literal(" "),
      ChannelColumn(channel),
      std::string(security),
      SignalColumn(signalPercent),
      BssidColumn(record + kBssidAt),
      mode != 0 ? Literal(monitor_texts::kAccessPoint) : Literal(monitor_texts::kAdHoc),
      picture,
      channel.number,
      channel.band,
      channelWord & 0xFFFF,
      rssi,
      signalPercent,
      mode,
      xr};
}

}  // namespace

int SurveySignalPercent(std::int32_t rssi) {
  const double percent = (static_cast<double>(rssi) + 100.0) / 70.0 * 120.0;
  if (percent > 100.0)
    return 100;
  if (percent <= -1.0)  // the truncation is negative
    return 5;
  return static_cast<int>(percent);
}

NetworkList ParseNetworkList(const std::uint8_t* data, std::size_t size) {
  NetworkList list;
  if (data == nullptr || size < 4)
    return list;
  list.recordCount = ReadLe32(data) & 0xFF;
  list.rows.reserve(std::min<std::size_t>(list.recordCount, (size - 4) / kShortestRecord));
  std::size_t at = 4;
  for (std::uint32_t i = 0; i < list.recordCount; ++i) {
    const std::size_t room = size - at;
    if (room < kFixedFieldsEnd)
      break;
    const std::uint32_t length = ReadLe32(data + at);
    if (length < kShortestRecord || length > room)
      break;
    list.rows.push_back(ParseRecord(data + at, length));
    at += length;
  }
  return list;
}

}  // namespace kestrel
