#include "ui/dialogs/ad_hoc_dialog.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "dialogs/dialogs_ids.h"
#include "ui/dialogs/ad_hoc_channels.h"
#include "ui/dialogs/country_rules.h"
#include "ui/dialogs/dialog_texts.h"

namespace kestrel {

namespace {

// Countries where 5 GHz ad hoc networks may not be started.
bool No5GhzAdHoc(const std::string& country) {
  return IsOneOf(country, {"BR", "DZ", "IL", "GB", "FR"});
}

bool Has24GhzMode(std::int32_t modes) {
  return (modes & (kMode11b | kMode11g | kMode11gTurbo)) != 0;
}

int LastChannel(const std::string& country) {
  return IsOneOf(country, {"CA", "US", "MX"}) ? 11 : 13;
}

// The last two characters read as a base-10 number: "自動" reads as 0.
std::uint32_t ChannelOfEntry(const std::string& text) {
  const std::string tail = text.size() > 2 ? text.substr(text.size() - 2) : text;
  const long channel = std::strtol(tail.c_str(), nullptr, 10);
  return channel > 0 ? static_cast<std::uint32_t>(channel) : 0;
}

}  // namespace

AdHocDialog::AdHocDialog(ControlSurface& controls, DialogServices services,
                         WirelessProfile& working, const WirelessProfile& current)
    : controls_(controls), services_(services), working_(working), current_(current) {}

void AdHocDialog::open() {
  controls_.clearList(IDC_ADHOC_BAND);
  controls_.clearList(IDC_ADHOC_CHANNEL);
  fiveGhzPosition_ = twoFourGhzPosition_ = turboPosition_ = -1;
  std::string country;
  if (!ReadCountryOrDriverCode(services_, country))
    return;
  fillBandList(country);
  controls_.enable(IDC_ADHOC_CHANNEL_LABEL, true);
  controls_.enable(IDC_ADHOC_CHANNEL, true);
  fillChannelList();
  // Entry c of the 2.4 GHz list is channel c; a 5 GHz channel matches no entry.
  const std::uint32_t channel = ChannelOfFrequency(
      static_cast<std::uint32_t>(working_.AdHocChannel), BandCode(working_.AdHocBand));
  controls_.selectListItem(IDC_ADHOC_CHANNEL, channel <= INT_MAX ? static_cast<int>(channel) : -1);
}

void AdHocDialog::fillBandList(const std::string& country) {
  const std::int32_t modes = working_.NetBand;
  const bool offers5Ghz = (modes & kMode11a) != 0 && !No5GhzAdHoc(country);
  if (modes != current_.NetBand) {
    // Modes changed in the advanced dialog but not applied yet.
    if (offers5Ghz)
      fiveGhzPosition_ = controls_.addListItem(IDC_ADHOC_BAND, dialog_texts::kFiveGhzBand);
    if (Has24GhzMode(modes)) {
      twoFourGhzPosition_ =
          controls_.addListItem(IDC_ADHOC_BAND, dialog_texts::kTwoFourGhzBandShort);
    }
    controls_.selectListItem(IDC_ADHOC_BAND, 0);
    return;
  }

  std::int32_t band = working_.AdHocBand;
  if (offers5Ghz)
    fiveGhzPosition_ = controls_.addListItem(IDC_ADHOC_BAND, dialog_texts::kFiveGhzBand);
  else if ((modes & kMode11a) != 0)
    band = kAdHocBand24Ghz;
  if (Has24GhzMode(modes))
    twoFourGhzPosition_ = controls_.addListItem(IDC_ADHOC_BAND, dialog_texts::kTwoFourGhzBand);
  switch (band) {
    case kAdHocBand5Ghz:
      controls_.selectListItem(IDC_ADHOC_BAND, fiveGhzPosition_);
      break;
    case kAdHocBandTurbo:
      controls_.selectListItem(IDC_ADHOC_BAND, turboPosition_);
      break;
    default:
      controls_.selectListItem(IDC_ADHOC_BAND, twoFourGhzPosition_);
      break;
  }
  const std::int32_t otherModes = kMode11a | kMode11aTurbo | kMode11b | kMode11g;
  if ((modes & kMode11gTurbo) != 0 && (modes & otherModes) == 0)
    controls_.selectListItem(IDC_ADHOC_BAND, 0);
}

void AdHocDialog::fillChannelList() {
  std::string country;
  if (!services_.adapter.GetCountryCode(country))
    return;
  controls_.clearList(IDC_ADHOC_CHANNEL);
  controls_.addListItem(IDC_ADHOC_CHANNEL, dialog_texts::kAutomatic);
  const int band = controls_.selectedListItem(IDC_ADHOC_BAND);
  // No selection at all matches the turbo position, which no entry takes.
  if (band != turboPosition_ && band != fiveGhzPosition_) {
    const int last = LastChannel(country);
    for (int channel = 1; channel <= last; ++channel) {
      char entry[12];
      std::snprintf(entry, sizeof entry, "%2d", channel);
      controls_.addListItem(IDC_ADHOC_CHANNEL, entry);
    }
  }
  controls_.selectListItem(IDC_ADHOC_CHANNEL, 0);
}

void AdHocDialog::onCommand(ControlId id, ControlEvent event) {
  if (id == IDC_ADHOC_BAND && event == ControlEvent::SelectionChanged)
    fillChannelList();
}

bool AdHocDialog::onAltKey(char key) {
  if (key == 'C' || key == 'c') {
    controls_.focus(IDC_ADHOC_CHANNEL);
    return true;
  }
  if (key == 'S' || key == 's') {
    controls_.focus(IDC_ADHOC_BAND);
    return true;
  }
  return false;
}

void AdHocDialog::confirm() {
  const int band = controls_.selectedListItem(IDC_ADHOC_BAND);
  std::uint32_t code = 0;
  if (band == twoFourGhzPosition_) {
    working_.AdHocBand = kAdHocBand24Ghz;
    code = BandCode(kAdHocBand24Ghz);
  } else if (band == fiveGhzPosition_) {
    working_.AdHocBand = kAdHocBand5Ghz;
    code = BandCode(kAdHocBand5Ghz);
  } else if (band == turboPosition_) {
    working_.AdHocBand = kAdHocBandTurbo;
    code = BandCode(kAdHocBandTurbo);
  }
  const int entry = controls_.selectedListItem(IDC_ADHOC_CHANNEL);
  const std::uint32_t channel = ChannelOfEntry(controls_.listItemText(IDC_ADHOC_CHANNEL, entry));
  working_.AdHocChannel = static_cast<std::int32_t>(FrequencyOfChannel(channel, code));
}

}  // namespace kestrel
