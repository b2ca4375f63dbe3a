// The vendor network list comes from the driver: whatever its counts and lengths say,
// the parser must stay inside the buffer and give rows that make sense.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "monitor/network_list.h"

namespace {

bool KnownSecurity(const std::string& text) {
  static const char* const kTexts[] = {"none",     "WEP",  "WPA",      "WPA-PSK",
                                       "WPA-NONE", "WPA2", "WPA2-PSK", "WPA2-NONE"};
  for (const char* known : kTexts) {
    if (text == known)
      return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const kestrel::NetworkList list = kestrel::ParseNetworkList(data, size);
  if (list.recordCount > 255 || list.rows.size() > list.recordCount)
    std::abort();
  for (const kestrel::SurveyRow& row : list.rows) {
    if (row.ssidText.size() > 32 || row.bssidText.size() != 17 || !KnownSecurity(row.securityText))
      std::abort();
  }
  return 0;
}
