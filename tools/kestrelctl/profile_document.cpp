#include "profile_document.h"

#include <algorithm>
#include <cstdint>

#include "ctl_escaping.h"
#include "json_reader.h"
#include "profiles/hex_text.h"
#include "profiles/key_derivation.h"
#include "profiles/profile_store.h"
#include "profiles/profile_values.h"
#include "profiles/secure_wipe.h"
#include "ui/settings/settings_rules.h"
#include "ui/settings/settings_texts.h"

namespace kestrel::ctl {

namespace {

// Numbers the store keeps, with the values a profile may hold. The closed sets are the
// pages' lists; fields the adapter push only passes on get the widest sound range.
struct NumberField {
  const char* name;
  std::int32_t WirelessProfile::*field;
  std::int32_t lowest;
  std::int32_t highest;
};

constexpr NumberField kNumbers[] = {
    {"NetworkConnectionType", &WirelessProfile::NetworkConnectionType, 1, 2},
    {"AdHocChannel", &WirelessProfile::AdHocChannel, 0, 6000},
    {"NetBand", &WirelessProfile::NetBand, 0, 31},
    {"AdHocBand", &WirelessProfile::AdHocBand, 0, 2},
    {"WmmEnabled", &WirelessProfile::WmmEnabled, 0, 1},
    {"ShortPreamble", &WirelessProfile::ShortPreamble, 0, 2},
    {"PowerManagement", &WirelessProfile::PowerManagement, 0, 2},
    {"PHlength", &WirelessProfile::PHlength, 0, 63},
    {"tpc", &WirelessProfile::tpc, 0, 4},
    {"FragThreshold", &WirelessProfile::FragThreshold, 0, 2346},
    {"RTSThreshold", &WirelessProfile::RTSThreshold, 0, 2346},
    {"EnableSecurity", &WirelessProfile::EnableSecurity, 0, 2},
    {"defaultKey", &WirelessProfile::defaultKey, 0, 3},
    {"EapSelection", &WirelessProfile::EapSelection, 0, kEapWpaPsk},
    {"AdvancedAuthenticationType", &WirelessProfile::AdvancedAuthenticationType, 0, 255},
    {"EncryptionAlg", &WirelessProfile::EncryptionAlg, 0, 255},
    {"WPA", &WirelessProfile::WPA, 0, 1},
    {"ClientCertLen", &WirelessProfile::ClientCertLen, 0, 20},
    {"AdvancedUserNameLength", &WirelessProfile::AdvancedUserNameLength, 0, 258},
    {"leapEnabled", &WirelessProfile::leapEnabled, 0, 1},
    {"leapUserNameLength", &WirelessProfile::leapUserNameLength, 0, 258},
    {"HexEntryPp", &WirelessProfile::HexEntryPp, 0, 1},
    {"autoCellEnabled", &WirelessProfile::autoCellEnabled, 0, 1},
};

struct TextField {
  const char* name;
  std::string WirelessProfile::*field;
  std::size_t maxBytes;  // in the code page, as the store reads it back
};

// The store reads strings with 259 bytes, terminating zero included.
constexpr std::size_t kStoredText = 258;
// The cipher's 256-byte buffer holds a text secret.
constexpr std::size_t kSecretText = 256;

constexpr TextField kTexts[] = {
    {"ConfigurationName", &WirelessProfile::ConfigurationName, kStoredText},
    {"DomainName", &WirelessProfile::DomainName, kStoredText},
    {"LoginName", &WirelessProfile::LoginName, kStoredText},
    {"AdvancedUserName", &WirelessProfile::AdvancedUserName, kStoredText},
    {"leapUserName", &WirelessProfile::leapUserName, kStoredText},
};

constexpr TextField kSecretTexts[] = {
    {"AdvancedPassword", &WirelessProfile::AdvancedPassword, kSecretText},
    {"leapUserPasswd", &WirelessProfile::leapUserPasswd, kSecretText},
    {"Passphrase", &WirelessProfile::Passphrase, 2 * kSecretText},
};

constexpr const char* kKeyNames[kWepKeyCount] = {"SharedKey1", "SharedKey2", "SharedKey3",
                                                 "SharedKey4"};

constexpr std::size_t kSsidBytes = 32;

bool IsHex(const std::string& text) {
  for (const char c : text) {
    if (HexDigitValue(c) < 0)
      return false;
  }
  return true;
}

bool DecodeHex(const std::string& text, std::string& bytes) {
  if (text.size() % 2 != 0 || !IsHex(text))
    return false;
  bytes.clear();
  for (std::size_t i = 0; i < text.size(); i += 2)
    bytes += static_cast<char>(HexDigitValue(text[i]) << 4 | HexDigitValue(text[i + 1]));
  return true;
}

// ---- writing ----

class DocumentWriter {
 public:
  explicit DocumentWriter(TextCodec& codec) : codec_(codec) {}

  // A text the code page must be able to spell, else it would not come back the same.
  bool text(const char* name, const std::string& core) {
    std::string utf8;
    if (!codec_.utf8FromCore(core, utf8))
      return false;
    literal(name, JsonString(core));
    return true;
  }
  void number(const char* name, std::int64_t value) { literal(name, std::to_string(value)); }
  void literal(const char* name, const std::string& coreJson) {
    fields_.push_back(std::string("      ") + JsonString(name) + ": " + coreJson);
  }
  std::string object() {
    std::string body = "    {\n";
    for (std::size_t i = 0; i < fields_.size(); ++i)
      body += fields_[i] + (i + 1 < fields_.size() ? ",\n" : "\n");
    fields_.clear();
    return body + "    }";
  }

 private:
  TextCodec& codec_;
  std::vector<std::string> fields_;
};

bool WriteProfile(DocumentWriter& out, const NamedProfile& named, bool includeSecrets,
                  std::string& fault) {
  const WirelessProfile& p = named.profile;
  auto text = [&](const char* field, const std::string& value) {
    if (out.text(field, value))
      return true;
    fault = TableText(named.name) + ": " + field + " is not text in the system code page";
    return false;
  };
  if (!text("name", named.name) || !text("ConfigurationName", p.ConfigurationName))
    return false;
  // An SSID is bytes: the hex is exact, the text shows what can be shown.
  out.literal("NetworkName", JsonString(p.NetworkName));
  out.literal("ssid_hex", JsonString(HexBytes(p.NetworkName)));
  for (const NumberField& field : kNumbers)
    out.number(field.name, p.*field.field);
  for (const TextField& field : kTexts) {
    if (field.field != &WirelessProfile::ConfigurationName && !text(field.name, p.*field.field))
      return false;
  }
  const auto certificateBytes = static_cast<std::size_t>(
      std::clamp<std::int32_t>(p.ClientCertLen, 0, static_cast<std::int32_t>(kCertificateBytes)));
  out.literal("Certificate", JsonString(HexText(p.Certificate.data(), certificateBytes, false)));
  if (!includeSecrets)
    return true;
  for (std::size_t k = 0; k < kWepKeyCount; ++k)
    out.literal(kKeyNames[k], JsonString(p.SharedKey[k]));
  for (const TextField& field : kSecretTexts) {
    if (!text(field.name, p.*field.field))
      return false;
  }
  return true;
}

// ---- reading ----

class ProfileReader {
 public:
  ProfileReader(const JsonValue& object, std::size_t index, bool secrets, TextCodec& codec,
                std::vector<std::string>& faults)
      : object_(object), index_(index), secrets_(secrets), codec_(codec), faults_(faults) {}

  bool read(NamedProfile& named) {
    if (object_.kind() != JsonValue::Kind::Object) {
      fault("", "not an object");
      return false;
    }
    const std::size_t before = faults_.size();
    WirelessProfile& p = named.profile;
    ResetToDefaults(p);
    checkMembers();
    if (readText("name", named.name, kStoredText)) {
      label_ = "\"" + TableText(named.name) + "\"";
      checkName(named.name);
    }
    readText("ConfigurationName", p.ConfigurationName, kStoredText);
    readSsid(p);
    for (const NumberField& field : kNumbers)
      readNumber(field, p.*field.field);
    for (const TextField& field : kTexts) {
      if (field.field != &WirelessProfile::ConfigurationName)
        readText(field.name, p.*field.field, field.maxBytes);
    }
    readCertificate(p);
    readSecrets(p);
    if (faults_.size() == before)
      checkRules(p);
    return faults_.size() == before;
  }

 private:
  void fault(const std::string& field, const std::string& what) {
    std::string where = "profile " + std::to_string(index_ + 1);
    if (!label_.empty())
      where += " " + label_;
    const JsonValue* value = field.empty() ? &object_ : object_.member(field);
    if (value == nullptr)
      value = &object_;
    faults_.push_back(where + (field.empty() ? "" : ", " + field) + " (line " +
                      std::to_string(value->line()) + "): " + what);
  }

  bool known(const std::string& name) const {
    if (name == "name" || name == "NetworkName" || name == "ssid_hex" || name == "Certificate")
      return true;
    for (const NumberField& field : kNumbers) {
      if (name == field.name)
        return true;
    }
    for (const TextField& field : kTexts) {
      if (name == field.name)
        return true;
    }
    return false;
  }

  bool secret(const std::string& name) const {
    for (const char* key : kKeyNames) {
      if (name == key)
        return true;
    }
    for (const TextField& field : kSecretTexts) {
      if (name == field.name)
        return true;
    }
    return false;
  }

  void checkMembers() {
    for (const auto& [name, value] : object_.members()) {
      if (secret(name) && !secrets_)
        fault(name, "a secret in a file that says its secrets are left out");
      else if (!known(name) && !secret(name))
        fault(name, "no such field");
    }
  }

  const JsonValue* required(const char* name, JsonValue::Kind kind) {
    const JsonValue* value = object_.member(name);
    if (value == nullptr) {
      fault("", std::string(name) + " is missing");
      return nullptr;
    }
    if (value->kind() != kind) {
      fault(name, kind == JsonValue::Kind::String ? "a string expected" : "a number expected");
      return nullptr;
    }
    return value;
  }

  bool readText(const char* name, std::string& target, std::size_t maxBytes) {
    const JsonValue* value = required(name, JsonValue::Kind::String);
    if (value == nullptr)
      return false;
    std::string core;
    if (value->text().find('\0') != std::string::npos) {
      fault(name, "holds a zero character");
    } else if (!codec_.coreFromUtf8(value->text(), core)) {
      fault(name, "holds a character the system code page cannot spell");
    } else if (core.size() > maxBytes) {
      fault(name, "longer than " + std::to_string(maxBytes) + " bytes");
    } else {
      target = core;
      return true;
    }
    return false;
  }

  void readNumber(const NumberField& field, std::int32_t& target) {
    const JsonValue* value = required(field.name, JsonValue::Kind::Number);
    if (value == nullptr)
      return;
    const auto number = value->int32();
    if (!number || *number < field.lowest || *number > field.highest) {
      fault(field.name, value->numberText() + " is out of range (" + std::to_string(field.lowest) +
                            ".." + std::to_string(field.highest) + ")");
      return;
    }
    target = *number;
  }

  void readSsid(WirelessProfile& p) {
    const JsonValue* hex = required("ssid_hex", JsonValue::Kind::String);
    const JsonValue* text = required("NetworkName", JsonValue::Kind::String);
    if (hex == nullptr || text == nullptr)
      return;
    std::string bytes;
    if (!DecodeHex(hex->text(), bytes)) {
      fault("ssid_hex", "not an even number of hex digits");
      return;
    }
    if (bytes.size() > kSsidBytes) {
      fault("ssid_hex", "an SSID of more than 32 bytes");
      return;
    }
    // An SSID that is text must read the same both ways, so that editing one of the two
    // cannot go unnoticed; one that is not text is taken from its bytes.
    std::string shown;
    std::string typed;
    if (codec_.utf8FromCore(bytes, shown) &&
        (!codec_.coreFromUtf8(text->text(), typed) || typed != bytes)) {
      fault("NetworkName", "does not match ssid_hex");
      return;
    }
    p.NetworkName = bytes;
  }

  void readCertificate(WirelessProfile& p) {
    const JsonValue* value = required("Certificate", JsonValue::Kind::String);
    std::string bytes;
    if (value == nullptr)
      return;
    if (!DecodeHex(value->text(), bytes) || bytes.size() > kCertificateBytes) {
      fault("Certificate", "not hex digits of at most 20 bytes");
      return;
    }
    if (bytes.size() != static_cast<std::size_t>(p.ClientCertLen)) {
      fault("Certificate", "holds " + std::to_string(bytes.size()) + " bytes, ClientCertLen says " +
                               std::to_string(p.ClientCertLen));
      return;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i)
      p.Certificate[i] = static_cast<std::uint8_t>(bytes[i]);
  }

  void readSecrets(WirelessProfile& p) {
    // Lengths follow from the secrets themselves; without secrets every one is empty.
    p.Passphrase.clear();
    p.PassphraseLength = 0;
    if (!secrets_)
      return;
    for (std::size_t k = 0; k < kWepKeyCount; ++k) {
      std::string key;
      readText(kKeyNames[k], key, 32);
      UpperCaseInPlace(key);
      if (!key.empty() && !IsWepKey(key)) {
        fault(kKeyNames[k], "a key has 10, 26 or 32 hex digits");
        SecureWipe(key);
        continue;
      }
      AssignSecret(p.SharedKey[k], key);
      p.SharedKeyLength[k] = static_cast<std::int32_t>(key.size() / 2);
      SecureWipe(key);
    }
    for (const TextField& field : kSecretTexts)
      readText(field.name, p.*field.field, field.maxBytes);
    p.AdvancedPasswdLength = static_cast<std::int32_t>(p.AdvancedPassword.size());
    p.leapUserPasswdLength = static_cast<std::int32_t>(p.leapUserPasswd.size());
    if (p.HexEntryPp == 1)
      UpperCaseInPlace(p.Passphrase);
    p.PassphraseLength = static_cast<std::int32_t>(p.Passphrase.size());
  }

  static bool IsWepKey(const std::string& key) {
    if (!IsHex(key))
      return false;
    for (std::size_t i = 0; i < kWepKeySizeCount; ++i) {
      if (key.size() == static_cast<std::size_t>(WepKeySizeAt(i).hexDigits))
        return true;
    }
    return false;
  }

  // The rules the settings page applies before it saves.
  void checkName(const std::string& name) {
    if (name.empty()) {
      fault("name", "empty");
    } else if (CharacterCount(name) > static_cast<std::size_t>(kMaxNameCharacters)) {
      fault("name", "longer than 32 characters");
    } else if (name.find('\\') != std::string::npos) {
      fault("name", "holds a backslash");
    } else if (EqualsIgnoringCase(name, "NEW PROFILE") ||
               EqualsIgnoringCase(name, kDefaultProfileName) ||
               EqualsIgnoringCase(name, kVirtualProfileName)) {
      fault("name", "a name the settings page keeps for itself");
    }
  }

  void checkRules(const WirelessProfile& p) {
    const bool adHoc = p.NetworkConnectionType != 1;
    if (adHoc && p.NetworkName.empty())
      fault("NetworkName", "an ad hoc network needs an SSID");
    if (adHoc && (EqualsIgnoringCase(p.NetworkName, settings_texts::kAnyNetworkName) ||
                  EqualsIgnoringCase(p.NetworkName, settings_texts::kAnyNetwork)))
      fault("NetworkName", "an ad hoc network cannot be \"Any\"");
    if (adHoc && p.EnableSecurity == 2)
      fault("EnableSecurity", "WPA-PSK and 802.1X are not for ad hoc networks");
    const auto transmitKey = static_cast<std::size_t>(p.defaultKey);
    if (p.EnableSecurity == 1 && p.SharedKey[transmitKey].empty()) {
      fault(secrets_ ? kKeyNames[transmitKey] : "",
            secrets_ ? "the transmit key (defaultKey) is empty"
                     : "WEP needs its keys: export with --include-secrets");
    }
    const bool psk = p.EnableSecurity == 2 && p.EapSelection == kEapWpaPsk;
    if (psk && !secrets_) {
      fault("", "WPA-PSK needs its passphrase: export with --include-secrets");
    } else if (psk && p.HexEntryPp == 1 && (p.Passphrase.size() != 64 || !IsHex(p.Passphrase))) {
      fault("Passphrase", "a hex passphrase has 64 hex digits");
    } else if (psk && p.HexEntryPp != 1 && !IsValidWpaPassphrase(p.Passphrase)) {
      fault("Passphrase", "a passphrase has 8 to 63 characters");
    }
  }

  const JsonValue& object_;
  std::size_t index_;
  bool secrets_;
  TextCodec& codec_;
  std::vector<std::string>& faults_;
  std::string label_;
};

bool ReadHeader(const JsonValue& document, bool& secrets, std::vector<std::string>& faults) {
  auto place = [](const JsonValue& value) {
    return "line " + std::to_string(value.line()) + ", column " + std::to_string(value.column()) +
           ": ";
  };
  if (document.kind() != JsonValue::Kind::Object) {
    faults.push_back(place(document) + "the document is not a JSON object");
    return false;
  }
  const JsonValue* format = document.member("format");
  if (format == nullptr || format->kind() != JsonValue::Kind::String ||
      format->text() != kProfileFormatName) {
    faults.push_back(place(format ? *format : document) + "not a \"" +
                     std::string(kProfileFormatName) + "\" file");
    return false;
  }
  const JsonValue* version = document.member("version");
  if (version == nullptr || version->int32() != kProfileFormatVersion) {
    faults.push_back(place(version ? *version : document) + "format version " +
                     (version && version->kind() == JsonValue::Kind::Number
                          ? version->numberText()
                          : std::string("missing")) +
                     ", this kestrelctl reads version " + std::to_string(kProfileFormatVersion));
    return false;
  }
  const JsonValue* kept = document.member("secrets");
  if (kept == nullptr || kept->kind() != JsonValue::Kind::String ||
      (kept->text() != "included" && kept->text() != "omitted")) {
    faults.push_back(place(kept ? *kept : document) +
                     "\"secrets\" must be \"included\" or \"omitted\"");
    return false;
  }
  secrets = kept->text() == "included";
  const JsonValue* list = document.member("profiles");
  if (list == nullptr || list->kind() != JsonValue::Kind::Array) {
    faults.push_back(place(list ? *list : document) + "\"profiles\" must be an array");
    return false;
  }
  for (const auto& [name, value] : document.members()) {
    if (name != "format" && name != "version" && name != "secrets" && name != "profiles" &&
        name != "comment") {
      faults.push_back(place(value) + "no such field: " + name);
      return false;
    }
  }
  return true;
}

}  // namespace

bool WriteProfileDocument(const std::vector<NamedProfile>& profiles, bool includeSecrets,
                          TextCodec& codec, std::string& utf8, std::string& fault) {
  DocumentWriter writer(codec);
  std::string core = "{\n";
  core += std::string("  \"format\": \"") + kProfileFormatName + "\",\n";
  core += "  \"version\": " + std::to_string(kProfileFormatVersion) + ",\n";
  core += std::string("  \"secrets\": \"") + (includeSecrets ? "included" : "omitted") + "\",\n";
  if (includeSecrets) {
    core += "  \"comment\": \"Keys and passwords are in the clear: keep this file private.\",\n";
  } else {
    core += "  \"comment\": \"Keys, passphrases and passwords were left out.\",\n";
  }
  core += "  \"profiles\": [";
  for (std::size_t i = 0; i < profiles.size(); ++i) {
    if (!WriteProfile(writer, profiles[i], includeSecrets, fault))
      return false;
    core += (i > 0 ? ",\n" : "\n") + writer.object();
  }
  core += profiles.empty() ? "]\n}\n" : "\n  ]\n}\n";
  if (!codec.utf8FromCore(core, utf8)) {
    fault = "the document could not be converted to UTF-8";
    return false;
  }
  return true;
}

bool ReadProfileDocument(const std::string& utf8, TextCodec& codec,
                         std::vector<NamedProfile>& profiles, std::vector<std::string>& faults) {
  profiles.clear();
  const JsonParseResult parsed = ParseJson(utf8);
  if (!parsed.value) {
    faults.push_back(parsed.error);
    return false;
  }
  bool secrets = false;
  if (!ReadHeader(*parsed.value, secrets, faults))
    return false;
  const auto& items = parsed.value->member("profiles")->items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    NamedProfile named;
    if (ProfileReader(items[i], i, secrets, codec, faults).read(named))
      profiles.push_back(std::move(named));
  }
  for (std::size_t i = 0; i < profiles.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      // Registry keys do not tell letter case apart.
      if (EqualsIgnoringCase(profiles[j].name, profiles[i].name))
        faults.push_back("profile \"" + TableText(profiles[i].name) +
                         "\": named twice in the file");
    }
  }
  if (!faults.empty())
    profiles.clear();
  return faults.empty();
}

}  // namespace kestrel::ctl
