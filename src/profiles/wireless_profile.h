#pragma once
// One complete set of wireless settings. Field names are the registry value names.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel {

inline constexpr std::size_t kWepKeyCount = 4;
inline constexpr std::size_t kCertificateBytes = 20;
// `EapSelection` of a WPA-PSK profile; the other values name 802.1X methods.
inline constexpr std::int32_t kEapWpaPsk = 7;

struct WirelessProfile {
  std::string ConfigurationName = "Default";
  std::int32_t NetworkConnectionType = 1;  // 1 infrastructure; anything else ad hoc
  std::string NetworkName = "KESTREL_11g";
  std::int32_t AdHocChannel = 0;  // MHz; 0 automatic
  std::int32_t NetBand = 13;
  std::int32_t AdHocBand = 1;
  std::int32_t WmmEnabled = 1;
  std::int32_t ShortPreamble = 1;
  std::int32_t PowerManagement = 2;
  std::int32_t PHlength = 0;  // characters of the WEP passphrase the keys came from
  std::int32_t tpc = 0;
  std::int32_t FragThreshold = 2346;
  std::int32_t RTSThreshold = 2346;
  std::int32_t EnableSecurity = 2;  // 0 none, 1 WEP, 2 WPA-PSK or 802.1X
  std::int32_t defaultKey = 0;
  std::int32_t EapSelection = kEapWpaPsk;
  std::int32_t AdvancedAuthenticationType = 5;
  std::int32_t EncryptionAlg = 6;
  std::int32_t WPA = 1;
  std::array<std::string, kWepKeyCount> SharedKey;           // upper-case hex digits
  std::array<std::int32_t, kWepKeyCount> SharedKeyLength{};  // bytes
  std::string DomainName;
  std::string LoginName;
  std::int32_t ClientCertLen = 0;
  std::array<std::uint8_t, kCertificateBytes> Certificate{};
  std::string AdvancedUserName;
  std::int32_t AdvancedUserNameLength = 0;
  std::string AdvancedPassword;
  std::int32_t AdvancedPasswdLength = 0;  // characters
  std::int32_t leapEnabled = 0;
  std::string leapUserName;
  std::int32_t leapUserNameLength = 0;
  std::string leapUserPasswd;
  std::int32_t leapUserPasswdLength = 0;  // characters
  std::int32_t HexEntryPp = 0;
  std::string Passphrase = "MARLOWE-DUSKY-V";  // WPA-PSK; upper-case hex when HexEntryPp = 1
  std::int32_t PassphraseLength = 15;          // characters or hex digits
  std::int32_t autoCellEnabled = 1;

  // The WEP passphrase as typed; never stored.
  std::string wepPassphrase;

  // Cipher texts last read or written, so that a save writes exactly what it computed.
  std::array<std::string, kWepKeyCount> sharedKeyCipher;
  std::string advancedPasswordCipher;
  std::string leapUserPasswdCipher;
  std::string passphraseCipher;
};

void ResetToDefaults(WirelessProfile& profile);

// Names of the user profiles in list order; at most 100.
class ProfileList {
 public:
  static constexpr std::size_t kMaxNames = 100;

  const std::vector<std::string>& names() const { return names_; }
  std::size_t size() const { return names_.size(); }
  bool empty() const { return names_.empty(); }
  bool contains(const std::string& name) const;
  void append(const std::string& name) { names_.push_back(name); }
  // Removes the first entry of that name; false when there is none.
  bool remove(const std::string& name);
  void clear() { names_.clear(); }

 private:
  std::vector<std::string> names_;
};

// The application's records, alive from start to exit: what was last applied, what the
// pages edit, and the names of the stored profiles.
struct ProfileRecords {
  WirelessProfile current;
  WirelessProfile working;
  ProfileList list;
};

}  // namespace kestrel
