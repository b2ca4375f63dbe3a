#include <gtest/gtest.h>

#include <climits>

#include "ui/dialogs/ad_hoc_channels.h"
#include "ui/dialogs/threshold_mapping.h"

namespace kestrel {
namespace {

TEST(ThresholdMapping, FragmentationTopIs2346AndBelowItTwicePositionLessFour) {
  EXPECT_EQ(FragThresholdPosition(2346), 1173);
  EXPECT_EQ(FragThresholdBytes(1173), 2346);
  EXPECT_EQ(FragThresholdPosition(1000), 502);
  EXPECT_EQ(FragThresholdBytes(502), 1000);
  EXPECT_EQ(FragThresholdBytes(128), 252);
  EXPECT_EQ(FragThresholdPosition(2344), 1173);
  EXPECT_EQ(FragThresholdBytes(1172), 2340);
}

TEST(ThresholdMapping, RtsIsTwiceThePosition) {
  EXPECT_EQ(RtsThresholdPosition(500), 250);
  EXPECT_EQ(RtsThresholdBytes(250), 500);
  EXPECT_EQ(RtsThresholdPosition(2346), 1173);
}

TEST(ThresholdMapping, StoredValuesOutsideTheRangeLandOnTheSlidersEnds) {
  for (std::int32_t stored : {INT32_MIN, -4, 0, 100}) {
    EXPECT_EQ(FragThresholdPosition(stored), 128) << stored;
    EXPECT_EQ(RtsThresholdPosition(stored), 128) << stored;
  }
  EXPECT_EQ(FragThresholdPosition(INT32_MAX), 1173);
  EXPECT_EQ(RtsThresholdPosition(INT32_MAX), 1173);
}

TEST(AdHocChannels, BandCodes) {
  EXPECT_EQ(BandCode(0), 4u);
  EXPECT_EQ(BandCode(1), 1u);
  EXPECT_EQ(BandCode(2), 2u);
  EXPECT_EQ(BandCode(3), 8u);
  EXPECT_EQ(BandCode(4), 0u);
  EXPECT_EQ(BandCode(-1), 0u);
}

TEST(AdHocChannels, ChannelToFrequency) {
  EXPECT_EQ(FrequencyOfChannel(6, 4), 2437u);
  EXPECT_EQ(FrequencyOfChannel(13, 4), 2472u);
  EXPECT_EQ(FrequencyOfChannel(14, 8), 2484u);
  EXPECT_EQ(FrequencyOfChannel(15, 16), 2512u);
  EXPECT_EQ(FrequencyOfChannel(36, 1), 5180u);
  EXPECT_EQ(FrequencyOfChannel(42, 2), 5210u);
  EXPECT_EQ(FrequencyOfChannel(0, 4), 0u);
  EXPECT_EQ(FrequencyOfChannel(6, 0), 0u);
}

TEST(AdHocChannels, FrequencyToChannelInvertsEveryTwoPointFourChannel) {
  for (std::uint32_t channel = 0; channel <= 20; ++channel)
    EXPECT_EQ(ChannelOfFrequency(FrequencyOfChannel(channel, 4), 4), channel);
  EXPECT_EQ(ChannelOfFrequency(5180, 1), 36u);
  EXPECT_EQ(ChannelOfFrequency(5180, 3), 0u);
  EXPECT_EQ(ChannelOfFrequency(0, 1), 0u);
}

}  // namespace
}  // namespace kestrel
