#include "model/scenario_parser.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>

namespace kestrel::sim {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  return text;
}

std::optional<long> Number(std::string_view text) {
  long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end)
    return std::nullopt;
  return value;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// `count` bytes written as hex pairs, each pair optionally followed by `separator`.
bool HexBytes(std::string_view text, std::uint8_t* out, std::size_t count, char separator) {
  const std::size_t stride = separator ? 3 : 2;
  if (text.size() != count * stride - (separator ? 1 : 0))
    return false;
  for (std::size_t i = 0; i < count; ++i) {
    const int high = HexDigit(text[i * stride]);
    const int low = HexDigit(text[i * stride + 1]);
    if (high < 0 || low < 0)
      return false;
    if (separator && i + 1 < count && text[i * stride + 2] != separator)
      return false;
    out[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return true;
}

std::optional<bool> YesNo(std::string_view text) {
  if (text == "yes" || text == "on")
    return true;
  if (text == "no" || text == "off")
    return false;
  return std::nullopt;
}

std::optional<Security> SecurityNamed(std::string_view text) {
  for (Security s : {Security::None, Security::Wep, Security::WpaPsk, Security::Wpa2Psk,
                     Security::WpaEap, Security::Wpa2Eap}) {
    if (SecurityName(s) == text)
      return s;
  }
  return std::nullopt;
}

std::optional<Band> BandNamed(std::string_view text) {
  if (text == "b")
    return Band::B;
  if (text == "g")
    return Band::G;
  if (text == "a")
    return Band::A;
  if (text == "turbo")
    return Band::Turbo;
  return std::nullopt;
}

struct PendingNetwork {
  NetworkSlot slot{};
  std::size_t line = 0;
  long channel = 6;
  Band band = Band::G;
};

class Parser {
 public:
  explicit Parser(Scenario& out) : out_(out) {}

  bool line(std::size_t number, std::string_view raw) {
    number_ = number;
    if (!raw.empty() && raw.back() == '\r')
      raw.remove_suffix(1);
    std::string_view text = raw;
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
      text.remove_prefix(1);
    if (text.empty() || text.front() == '#')
      return true;
    const std::size_t blank = text.find_first_of(" \t");
    const std::string_view keyword = text.substr(0, blank);
    const std::string_view rest = blank == std::string_view::npos ? "" : text.substr(blank + 1);
    return keyword == "network" ? startNetwork(rest) : setting(keyword, Trim(rest));
  }

  bool finish() { return closeNetwork(); }
  const std::string& error() const { return error_; }

 private:
  bool fail(const char* format, std::string_view detail = {}) {
    char text[200];
    const std::string shown(detail.substr(0, 60));
    std::snprintf(text, sizeof text, format, shown.c_str());
    error_ = "line " + std::to_string(number_) + ": " + text;
    return false;
  }

  bool startNetwork(std::string_view ssid) {
    if (!closeNetwork())
      return false;
    if (out_.networks.size() >= kMaxNetworks)
      return fail("more than 32 networks");
    if (ssid.size() > kMaxSsidBytes)
      return fail("an SSID holds at most 32 bytes");
    pending_ = PendingNetwork{};
    pending_->line = number_;
    pending_->slot = MakeNetwork(ssid, Security::None);
    const std::uint8_t bssid[6] = {0x00, 0x14, 0x6C,
                                   0x5E, 0x01, static_cast<std::uint8_t>(out_.networks.size() + 1)};
    std::memcpy(pending_->slot.bssid, bssid, 6);
    return true;
  }

  bool closeNetwork() {
    if (!pending_)
      return true;
    PendingNetwork network = *pending_;
    pending_.reset();
    const std::size_t here = number_;
    number_ = network.line;
    NetworkSlot& slot = network.slot;
    slot.channelWord = ChannelWord(static_cast<std::uint32_t>(network.channel), network.band);
    const std::string ssid = NetworkSsid(slot);
    bool ok = true;
    if (slot.channelWord == 0) {
      ok = fail("network \"%s\": its channel does not lie in its band", ssid);
    } else if (slot.security == Security::Wep && slot.keyLength == 0) {
      ok = fail("network \"%s\" uses WEP but has no key", ssid);
    } else if (slot.security != Security::None && slot.security != Security::Wep &&
               slot.passphraseLength == 0) {
      ok = fail("network \"%s\" uses WPA but has no passphrase", ssid);
    }
    number_ = here;
    if (ok)
      out_.networks.push_back(slot);
    return ok;
  }

  bool setting(std::string_view keyword, std::string_view value) {
    if (keyword == "mac") {
      if (!HexBytes(value, out_.mac.data(), 6, ':'))
        return fail("mac needs six hex pairs such as 00:0B:6B:3C:2E:9D");
      return true;
    }
    if (keyword == "country") {
      if (value.size() != 2 || !std::isupper(static_cast<unsigned char>(value[0])) ||
          !std::isupper(static_cast<unsigned char>(value[1]))) {
        return fail("country needs two capital letters such as JP");
      }
      out_.countryCode =
          (static_cast<std::uint32_t>(value[0]) << 8) | static_cast<std::uint32_t>(value[1]);
      return true;
    }
    if (keyword == "present") {
      const auto present = YesNo(value);
      if (!present)
        return fail("present needs yes or no");
      out_.present = *present;
      return true;
    }
    if (keyword == "load") {
      const auto kbps = Number(value);
      if (!kbps || *kbps < 0 || *kbps > static_cast<long>(kMaxLoadKbps))
        return fail("load needs a whole number of kbit/s from 0 to 100000, not \"%s\"", value);
      out_.loadKbps = static_cast<std::uint32_t>(*kbps);
      return true;
    }
    if (!pending_) {
      return fail(keyword == "bssid" || keyword == "channel" || keyword == "band" ||
                          keyword == "security" || keyword == "key" || keyword == "passphrase" ||
                          keyword == "mode" || keyword == "rssi" || keyword == "xr" ||
                          keyword == "wmm"
                      ? "\"%s\" comes before any network line"
                      : "unknown keyword \"%s\"",
                  keyword);
    }
    return networkSetting(keyword, value);
  }

  bool networkSetting(std::string_view keyword, std::string_view value) {
    NetworkSlot& slot = pending_->slot;
    if (keyword == "bssid") {
      if (!HexBytes(value, slot.bssid, 6, ':'))
        return fail("bssid needs six hex pairs such as 00:14:6C:5E:00:01");
    } else if (keyword == "channel") {
      const auto channel = Number(value);
      if (!channel || *channel < 0 || ChannelFrequency(static_cast<std::uint32_t>(*channel)) == 0)
        return fail("channel needs 1 to 14 or a 5 GHz channel from 34 to 165, not \"%s\"", value);
      pending_->channel = *channel;
    } else if (keyword == "band") {
      const auto band = BandNamed(value);
      if (!band)
        return fail("band needs b, g, a or turbo, not \"%s\"", value);
      pending_->band = *band;
    } else if (keyword == "security") {
      const auto security = SecurityNamed(value);
      if (!security)
        return fail("security needs none, wep, wpa-psk, wpa2-psk, wpa-eap or wpa2-eap, not \"%s\"",
                    value);
      slot.security = *security;
    } else if (keyword == "key") {
      const std::size_t bytes = value.size() / 2;
      if ((value.size() != 10 && value.size() != 26 && value.size() != 32) ||
          !HexBytes(value, slot.key, bytes, 0)) {
        return fail("key needs 10, 26 or 32 hex digits");
      }
      slot.keyLength = static_cast<std::uint32_t>(bytes);
    } else if (keyword == "passphrase") {
      if (value.size() < 8 || value.size() > kMaxPassphraseBytes)
        return fail("passphrase needs 8 to 63 characters");
      SetNetworkPassphrase(slot, value);
    } else if (keyword == "mode") {
      if (value != "infrastructure" && value != "adhoc")
        return fail("mode needs infrastructure or adhoc, not \"%s\"", value);
      slot.infrastructureMode = value == "adhoc" ? 0 : 1;
    } else if (keyword == "rssi") {
      const auto dbm = Number(value);
      if (!dbm || *dbm < -120 || *dbm > -10)
        return fail("rssi needs a whole number of dBm from -120 to -10, not \"%s\"", value);
      slot.levelDbm = static_cast<std::int32_t>(*dbm);
    } else if (keyword == "xr" || keyword == "wmm") {
      const auto on = YesNo(value);
      if (!on)
        return fail("%s needs yes or no", keyword);
      (keyword == "xr" ? slot.xr : slot.wmm) = static_cast<std::uint8_t>(*on ? 1 : 0);
    } else {
      return fail("unknown keyword \"%s\"", keyword);
    }
    return true;
  }

  Scenario& out_;
  std::optional<PendingNetwork> pending_;
  std::size_t number_ = 0;
  std::string error_;
};

}  // namespace

bool ParseScenario(std::string_view text, Scenario& scenario, std::string& error) {
  Scenario parsed;
  parsed.networks.clear();
  Parser parser(parsed);
  std::size_t number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!parser.line(++number, line)) {
      error = parser.error();
      return false;
    }
  }
  if (!parser.finish()) {
    error = parser.error();
    return false;
  }
  scenario = parsed;
  return true;
}

}  // namespace kestrel::sim
