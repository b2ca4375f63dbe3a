#pragma once
// The information page's texts built from what the adapter and the program report.

#include <string>

namespace kestrel {

// The region name of a two-letter country code; " UnKnown" for any other text.
std::string RegionName(const std::string& countryCode);

struct AutoCellTexts {
  std::string version;
  std::string date;
};
// Cut from the AutoCell version text: " %s" of the 8 characters from index 1, and
// " %s. %s, %s" of 3 characters at index 10, 2 at index 13 and the last 4. A text too
// short to hold them, or holding anything but printable ASCII, gives " UnKnown" twice.
AutoCellTexts AutoCellTextsOf(const std::string& text);

// " 2.0.0.6", from the release's version.
std::string UtilityVersionText();

// " Jun. 30, 2005" from a date such as "Jun 30 2005" (or "Jun  3 2005", the day padded
// with a blank), the form of the release date; " UnKnown" when the text is shorter.
std::string UtilityDateText(const std::string& date);

}  // namespace kestrel
