#include "ui/networks/chosen_network.h"

namespace kestrel {

namespace {

constexpr int kLargestChannel = 99999;

// Band codes of the frequency rule: 1 = 5 GHz, 2 = 5 GHz turbo, 4 = 2.4 GHz.
constexpr int kBand5GHz = 1;
constexpr int kBandTurbo = 2;
constexpr int kBand24GHz = 4;

int CentreFrequency(int channel, int bandCode) {
  if (channel == 0)
    return 0;
  if (bandCode == kBand5GHz || bandCode == kBandTurbo)
    return channel * 5 + 5000;
  if (channel == 14)
    return 2484;
  if (channel > 14)
    return channel * 20 + 2212;
  return channel * 5 + 2407;
}

}  // namespace

ChosenNetwork ChooseRow(const SurveyRow& row, int rowIndex) {
  ChosenNetwork chosen;
  chosen.networkName = row.ssidText;
  chosen.securityText = row.securityText;
  chosen.modeText = row.modeText;
  chosen.channelText = row.channelText;
  const std::size_t size = row.channelText.size();
  chosen.bandText = size > 3 ? row.channelText.substr(size - 3) : row.channelText;
  chosen.channelNumber = ChannelNumberOfText(row.channelText);
  chosen.rowIndex = rowIndex;
  return chosen;
}

int ChannelNumberOfText(const std::string& channelText) {
  std::size_t at = 0;
  while (at < channelText.size() && (channelText[at] == ' ' || channelText[at] == '\t'))
    ++at;
  int number = 0;
  for (; at < channelText.size() && channelText[at] >= '0' && channelText[at] <= '9'; ++at) {
    number = number * 10 + (channelText[at] - '0');
    if (number > kLargestChannel)
      return kLargestChannel;
  }
  return number;
}

AdHocSetting AdHocSettingFor(const std::string& bandText, int channelNumber) {
  AdHocSetting setting;
  int bandCode = kBand24GHz;
  if (bandText == "(A)") {
    setting.AdHocBand = 1;
    bandCode = kBand5GHz;
  } else if (bandText == "(T)") {
    setting.AdHocBand = 2;
    bandCode = kBandTurbo;
  }
  setting.AdHocChannel = CentreFrequency(channelNumber, bandCode);
  return setting;
}

}  // namespace kestrel
