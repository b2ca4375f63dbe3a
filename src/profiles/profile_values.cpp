#include "profiles/profile_values.h"

#include <algorithm>
#include <cctype>

#include "profiles/hex_text.h"
#include "profiles/secret_cipher.h"
#include "profiles/secure_wipe.h"

namespace kestrel {

namespace {

std::int32_t Clamped(std::int32_t value, std::int32_t most) {
  return std::clamp<std::int32_t>(value, 0, most);
}

std::string KeyName(const char* prefix, std::size_t index, const char* suffix = "") {
  return prefix + std::to_string(index + 1) + suffix;
}

std::string CertificateText(const WirelessProfile& profile, std::int32_t count) {
  return HexText(profile.Certificate.data(), static_cast<std::size_t>(count), false);
}

// Pairs of hex digits up to `count` bytes; stops at the first pair that is not hex.
std::int32_t DecodeCertificate(const std::string& text, std::int32_t count,
                               WirelessProfile& profile) {
  profile.Certificate.fill(0);
  std::int32_t decoded = 0;
  for (; decoded < count; ++decoded) {
    const std::size_t at = 2 * static_cast<std::size_t>(decoded);
    if (at + 1 >= text.size())
      break;
    const int high = HexDigitValue(text[at]);
    const int low = HexDigitValue(text[at + 1]);
    if (high < 0 || low < 0)
      break;
    profile.Certificate[static_cast<std::size_t>(decoded)] =
        static_cast<std::uint8_t>(high << 4 | low);
  }
  return decoded;
}

// A hex secret into `field`; the text form the cipher also gives is wiped.
void DecryptHexInto(const std::string& cipherKey, const std::string& cipherText,
                    std::int32_t byteCount, std::string& field) {
  std::string text = DecryptSecret(cipherKey, cipherText, field, byteCount);
  SecureWipe(text);
}

// A text secret over the old one in `field`; the hex copy and the old bytes are wiped.
void DecryptTextInto(const std::string& cipherKey, const std::string& cipherText,
                     std::int32_t byteCount, std::string& field) {
  std::string hexCopy;
  std::string text = DecryptSecret(cipherKey, cipherText, hexCopy, byteCount);
  SecureWipe(hexCopy);
  AssignSecret(field, text);
  SecureWipe(text);
}

}  // namespace

const std::vector<const char*>& StoredProfileValueNames() {
  static const std::vector<const char*> names = {"ConfigurationName",
                                                 "NetworkConnectionType",
                                                 "NetworkName",
                                                 "AdHocChannel",
                                                 "NetBand",
                                                 "AdHocBand",
                                                 "WmmEnabled",
                                                 "ShortPreamble",
                                                 "PowerManagement",
                                                 "PHlength",
                                                 "tpc",
                                                 "FragThreshold",
                                                 "RTSThreshold",
                                                 "EnableSecurity",
                                                 "defaultKey",
                                                 "EapSelection",
                                                 "AdvancedAuthenticationType",
                                                 "EncryptionAlg",
                                                 "WPA",
                                                 "SharedKey1",
                                                 "SharedKey2",
                                                 "SharedKey3",
                                                 "SharedKey4",
                                                 "SharedKey1Length",
                                                 "SharedKey2Length",
                                                 "SharedKey3Length",
                                                 "SharedKey4Length",
                                                 "DomainName",
                                                 "LoginName",
                                                 "ClientCertLen",
                                                 "Certificate",
                                                 "AdvancedUserName",
                                                 "AdvancedUserNameLength",
                                                 "AdvancedPassword",
                                                 "AdvancedPasswdLength",
                                                 "leapEnabled",
                                                 "leapUserName",
                                                 "leapUserNameLength",
                                                 "leapUserPasswd",
                                                 "leapUserPasswdLength",
                                                 "HexEntryPp",
                                                 "Passphrase",
                                                 "PassphraseLength",
                                                 "autoCellEnabled"};
  return names;
}

void UpperCaseInPlace(std::string& text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
}

void WriteProfileValues(ValueWriter& out, WirelessProfile& p, const std::string& cipherKey) {
  out.string("ConfigurationName", p.ConfigurationName);
  out.dword("NetworkConnectionType", p.NetworkConnectionType);
  out.string("NetworkName", p.NetworkName);
  out.dword("AdHocChannel", p.AdHocChannel);
  out.dword("NetBand", p.NetBand);
  out.dword("AdHocBand", p.AdHocBand);
  out.dword("WmmEnabled", p.WmmEnabled);
  out.dword("ShortPreamble", p.ShortPreamble);
  out.dword("PowerManagement", p.PowerManagement);
  out.dword("PHlength", p.PHlength);
  out.dword("tpc", p.tpc);
  out.dword("FragThreshold", p.FragThreshold);
  out.dword("RTSThreshold", p.RTSThreshold);
  out.dword("EnableSecurity", p.EnableSecurity);
  out.dword("defaultKey", p.defaultKey);
  out.dword("EapSelection", p.EapSelection);
  out.dword("AdvancedAuthenticationType", p.AdvancedAuthenticationType);
  out.dword("EncryptionAlg", p.EncryptionAlg);
  out.dword("WPA", p.WPA);

  for (std::size_t k = 0; k < kWepKeyCount && out.ok(); ++k) {
    UpperCaseInPlace(p.SharedKey[k]);
    p.sharedKeyCipher[k] = EncryptSecret(cipherKey, p.SharedKey[k],
                                         Clamped(p.SharedKeyLength[k], kMaxWepKeyBytes) * 8, true);
    out.string(KeyName("SharedKey", k).c_str(), p.sharedKeyCipher[k]);
  }
  for (std::size_t k = 0; k < kWepKeyCount; ++k) {
    out.dword(KeyName("SharedKey", k, "Length").c_str(),
              Clamped(p.SharedKeyLength[k], kMaxWepKeyBytes) * 8);
  }

  out.string("DomainName", p.DomainName);
  out.string("LoginName", p.LoginName);
  const std::int32_t certificateBytes =
      Clamped(p.ClientCertLen, static_cast<std::int32_t>(kCertificateBytes));
  out.number("ClientCertLen", certificateBytes);
  out.string("Certificate", CertificateText(p, certificateBytes));

  const std::int32_t advancedBits = Clamped(p.AdvancedPasswdLength, kMaxSecretBytes) * 8;
  out.string("AdvancedUserName", p.AdvancedUserName);
  out.dword("AdvancedUserNameLength", p.AdvancedUserNameLength);
  if (out.ok())
    p.advancedPasswordCipher = EncryptSecret(cipherKey, p.AdvancedPassword, advancedBits, false);
  out.string("AdvancedPassword", p.advancedPasswordCipher);
  out.dword("AdvancedPasswdLength", advancedBits);

  const std::int32_t leapBits = Clamped(p.leapUserPasswdLength, kMaxSecretBytes) * 8;
  out.dword("leapEnabled", p.leapEnabled);
  out.string("leapUserName", p.leapUserName);
  out.dword("leapUserNameLength", p.leapUserNameLength);
  if (out.ok())
    p.leapUserPasswdCipher = EncryptSecret(cipherKey, p.leapUserPasswd, leapBits, false);
  out.string("leapUserPasswd", p.leapUserPasswdCipher);
  out.dword("leapUserPasswdLength", leapBits);

  const bool hex = p.HexEntryPp == 1;
  const std::int32_t passphraseBits = hex ? Clamped(p.PassphraseLength, 2 * kMaxSecretBytes) * 4
                                          : Clamped(p.PassphraseLength, kMaxSecretBytes) * 8;
  if (out.ok())
    p.passphraseCipher = EncryptSecret(cipherKey, p.Passphrase, passphraseBits, hex);
  out.dword("HexEntryPp", p.HexEntryPp);
  out.string("Passphrase", p.passphraseCipher);
  out.dword("PassphraseLength", passphraseBits);
  out.dword("autoCellEnabled", p.autoCellEnabled);
}

void ReadProfileValues(ValueReader& in, WirelessProfile& p, const std::string& cipherKey) {
  in.string("ConfigurationName", p.ConfigurationName);
  in.dword("NetworkConnectionType", p.NetworkConnectionType);
  in.string("NetworkName", p.NetworkName);
  in.dword("AdHocChannel", p.AdHocChannel);
  in.dword("NetBand", p.NetBand);
  in.dword("AdHocBand", p.AdHocBand);
  in.dword("WmmEnabled", p.WmmEnabled);
  // Profiles stored before the preamble was kept lack it.
  in.optionalDword("ShortPreamble", p.ShortPreamble);
  in.dword("PowerManagement", p.PowerManagement);
  in.dword("tpc", p.tpc);
  in.dword("PHlength", p.PHlength);
  in.dword("FragThreshold", p.FragThreshold);
  in.dword("RTSThreshold", p.RTSThreshold);
  in.dword("EnableSecurity", p.EnableSecurity);
  in.dword("EapSelection", p.EapSelection);
  in.dword("WPA", p.WPA);
  in.dword("AdvancedAuthenticationType", p.AdvancedAuthenticationType);
  in.dword("EncryptionAlg", p.EncryptionAlg);

  for (std::size_t k = 0; k < kWepKeyCount && in.ok(); ++k) {
    std::int32_t bits = 0;
    in.string(KeyName("SharedKey", k).c_str(), p.sharedKeyCipher[k]);
    in.dword(KeyName("SharedKey", k, "Length").c_str(), bits);
    if (!in.ok())
      break;
    p.SharedKeyLength[k] = Clamped(bits / 8, kMaxWepKeyBytes);
    DecryptHexInto(cipherKey, p.sharedKeyCipher[k], p.SharedKeyLength[k], p.SharedKey[k]);
  }

  in.dword("defaultKey", p.defaultKey);
  in.string("DomainName", p.DomainName);
  in.string("LoginName", p.LoginName);
  std::int32_t certificateBytes = 0;
  in.optionalNumber("ClientCertLen", certificateBytes, 0);
  std::string certificate;
  in.string("Certificate", certificate);
  if (in.ok()) {
    p.ClientCertLen = DecodeCertificate(
        certificate, Clamped(certificateBytes, static_cast<std::int32_t>(kCertificateBytes)), p);
  }

  std::int32_t bits = 0;
  in.string("AdvancedUserName", p.AdvancedUserName);
  in.dword("AdvancedUserNameLength", p.AdvancedUserNameLength);
  in.string("AdvancedPassword", p.advancedPasswordCipher);
  in.dword("AdvancedPasswdLength", bits);
  if (in.ok()) {
    p.AdvancedPasswdLength = Clamped(bits / 8, kMaxSecretBytes);
    DecryptTextInto(cipherKey, p.advancedPasswordCipher, p.AdvancedPasswdLength,
                    p.AdvancedPassword);
  }

  in.dword("leapEnabled", p.leapEnabled);
  if (in.ok())
    p.leapUserName.clear();
  in.string("leapUserName", p.leapUserName);
  in.dword("leapUserNameLength", p.leapUserNameLength);
  in.string("leapUserPasswd", p.leapUserPasswdCipher);
  in.dword("leapUserPasswdLength", bits);
  if (in.ok()) {
    p.leapUserPasswdLength = Clamped(bits / 8, kMaxSecretBytes);
    DecryptTextInto(cipherKey, p.leapUserPasswdCipher, p.leapUserPasswdLength, p.leapUserPasswd);
  }

  in.dword("HexEntryPp", p.HexEntryPp);
  in.string("Passphrase", p.passphraseCipher);
  in.dword("PassphraseLength", bits);
  if (in.ok()) {
    if (p.HexEntryPp == 1) {
      p.PassphraseLength = Clamped(bits / 4, 2 * kMaxSecretBytes);
      DecryptHexInto(cipherKey, p.passphraseCipher, p.PassphraseLength / 2, p.Passphrase);
    } else {
      p.PassphraseLength = Clamped(bits / 8, kMaxSecretBytes);
      DecryptTextInto(cipherKey, p.passphraseCipher, p.PassphraseLength, p.Passphrase);
    }
  }
  in.dword("autoCellEnabled", p.autoCellEnabled);
}

}  // namespace kestrel
