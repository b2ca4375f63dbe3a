#include "ui/information/identity_texts.h"

#include <cstdio>

#include "ui/information/information_texts.h"
#include "utility_version.h"

namespace kestrel {

namespace {

constexpr std::size_t kAutoCellShortest = 15;  // through the day at index 13 and 14
constexpr std::size_t kDateLength = 11;        // "Mmm dd yyyy"

bool PrintableAscii(const std::string& text) {
  for (const char c : text) {
    if (c < 0x20 || c > 0x7E)
      return false;
  }
  return true;
}

int TwoDigitDay(char tens, char ones) {
  const int high = tens >= '0' && tens <= '9' ? tens - '0' : 0;
  const int low = ones >= '0' && ones <= '9' ? ones - '0' : 0;
  return high * 10 + low;
}

}  // namespace

std::string RegionName(const std::string& countryCode) {
  for (const auto& region : information_texts::kRegions) {
    if (countryCode == region.code)
      return region.name;
  }
  return information_texts::kUnknown;
}

AutoCellTexts AutoCellTextsOf(const std::string& text) {
  if (text.size() < kAutoCellShortest || !PrintableAscii(text))
    return {information_texts::kUnknown, information_texts::kUnknown};
  const std::string month = text.substr(10, 3);
  const std::string day = text.substr(13, 2);
  const std::string year = text.substr(text.size() - 4);
  return {" " + text.substr(1, 8), " " + month + ". " + day + ", " + year};
}

std::string UtilityVersionText() {
  char text[32];
  std::snprintf(text, sizeof text, " %d.%d.%d.%d", kUtilityVersionParts[0], kUtilityVersionParts[1],
                kUtilityVersionParts[2], kUtilityVersionParts[3]);
  return text;
}

std::string UtilityDateText(const std::string& date) {
  if (date.size() < kDateLength)
    return information_texts::kUnknown;
  char text[64];
  std::snprintf(text, sizeof text, " %s. %02d, %s", date.substr(0, 3).c_str(),
                TwoDigitDay(date[4], date[5]), date.substr(date.size() - 4).c_str());
  return text;
}

}  // namespace kestrel
