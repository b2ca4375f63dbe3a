#pragma once
// The vendor network list (answer of the BSS list OID) turned into the survey's rows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrel {

enum class SurveyPicture { Default, AccessPoint, AdHoc };

// One heard network as the networks page lists it: its column texts and its picture.
struct SurveyRow {
  std::string ssidText;
  std::string xrText;       // "XR" or " "
  std::string channelText;  // " %3d (%s)"
  std::string securityText;
  std::string signalText;  // "%3d %%"
  std::string bssidText;
  std::string modeText;
  SurveyPicture picture = SurveyPicture::Default;
  // The record's values behind the texts, for readers that want numbers.
  std::uint32_t channelNumber = 0;
  const char* band = "";           // "A", "B", "G" or "T" (static text)
  std::uint32_t frequencyMhz = 0;  // the channel word's centre frequency
  std::int32_t rssiDbm = 0;
  int signalPercent = 0;
  std::uint32_t infrastructureMode = 0;  // 0 ad hoc, else infrastructure
  bool xr = false;
};

struct NetworkList {
  std::uint32_t recordCount = 0;  // what the list says: the low 8 bits of its first word
  std::vector<SurveyRow> rows;    // one per whole record, in record order
};

// Reads at most `size` bytes. Records are taken while the list's count lasts and each
// record lies whole inside the buffer with a length that reaches at least its
// infrastructure-mode word; the first record that does not ends the walk. Information
// elements are read only within their record.
NetworkList ParseNetworkList(const std::uint8_t* data, std::size_t size);

// Truncation of (rssi + 100) / 70 x 120; above 100 gives 100, below 0 gives 5.
int SurveySignalPercent(std::int32_t rssi);

}  // namespace kestrel
