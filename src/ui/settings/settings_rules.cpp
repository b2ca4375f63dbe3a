#include "ui/settings/settings_rules.h"

#include "profiles/key_derivation.h"
#include "ui/settings/settings_texts.h"

namespace kestrel {

namespace {

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
      return false;
  }
  return true;
}

bool IsKeyMask(std::string_view text) {
  if (!IsMask(text))
    return false;
  for (std::size_t i = 0; i < kWepKeySizeCount; ++i) {
    if (text.size() == static_cast<std::size_t>(WepKeySizeAt(i).hexDigits))
      return true;
  }
  return false;
}

void ClearDot1xFields(WirelessProfile& profile) {
  profile.DomainName.clear();
  profile.LoginName.clear();
  profile.ClientCertLen = 0;
  profile.Certificate.fill(0);
  profile.AdvancedUserName.clear();
  profile.AdvancedUserNameLength = 0;
  profile.AdvancedPassword.clear();
  profile.AdvancedPasswdLength = 0;
  profile.leapEnabled = 0;
  profile.leapUserName.clear();
  profile.leapUserNameLength = 0;
  profile.leapUserPasswd.clear();
  profile.leapUserPasswdLength = 0;
}

std::string InvalidSsidMessage(const std::string& ssid) {
  const std::string format = settings_texts::kInvalidSsidMessageFormat;
  const std::size_t at = format.find("%s");
  return format.substr(0, at) + ssid + format.substr(at + 2);
}

}  // namespace kestrel
