#pragma once
// The network the user last chose in the table, and what it means for an ad hoc profile.

#include <cstdint>
#include <string>

#include "monitor/network_list.h"

namespace kestrel {

struct ChosenNetwork {
  std::string networkName;   // column 0
  std::string securityText;  // column 3
  std::string modeText;      // column 6
  std::string channelText;   // column 2, " %3d (%s)"
  std::string bandText;      // the channel text's last three characters, "(A)"
  int channelNumber = 0;     // the channel text read as a base-10 integer
  int rowIndex = -1;
};

ChosenNetwork ChooseRow(const SurveyRow& row, int rowIndex);

// The channel text read as base-10, leading blanks skipped; 0 when no number starts it.
// Kept within 0..99999 so that the frequency arithmetic cannot overflow.
int ChannelNumberOfText(const std::string& channelText);

struct AdHocSetting {
  std::int32_t AdHocBand = 0;
  std::int32_t AdHocChannel = 0;  // centre frequency in MHz
};

// "(B)" band 0, "(A)" band 1, "(T)" band 2, anything else band 0; the channel's centre
// frequency in that band (channel 0 gives 0).
AdHocSetting AdHocSettingFor(const std::string& bandText, int channelNumber);

}  // namespace kestrel
