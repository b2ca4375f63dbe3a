// kestrel-sim status: lines a script reads.
#include <gtest/gtest.h>

#include "model/status_report.h"
#include "sim_test_support.h"

namespace kestrel::sim {
namespace {

class StatusReportTest : public ::testing::Test, protected testing::SimFixture {
 protected:
  bool has(const std::string& line) {
    return StatusReport(shared).find(line + "\n") != std::string::npos;
  }
};

TEST_F(StatusReportTest, ShowsTheLinkTheNetworksAndTheLastRequests) {
  security(1, 0, 1);
  setSsid("KESTREL_Open");
  after(1100);
  state();
  EXPECT_TRUE(has("link: connected"));
  EXPECT_TRUE(has("connection state: 1"));
  EXPECT_TRUE(has("ssid: KESTREL_Open"));
  EXPECT_TRUE(has("bssid: 00:14:6C:5E:00:0A"));
  EXPECT_TRUE(
      has("network 7: KESTREL_5GHz | 00:14:6C:5E:00:07 | 5180 MHz flags 0x0000 | "
          "wpa2-psk | infrastructure | -58 dBm"));
  EXPECT_TRUE(has("load: 6000 kbit/s"));
  EXPECT_TRUE(has("tx bytes: 0"));  // the link came up this very moment
  EXPECT_TRUE(has("requests: 5"));
  EXPECT_TRUE(has("request: pid 0 query 0xFF000015 length 4 status 0x00000000"));
  after(3000);
  state();
  EXPECT_FALSE(has("tx bytes: 0"));
}

TEST_F(StatusReportTest, ARemovedCardShowsNoLink) {
  adapter.setPresent(false);
  adapter.setNetworkLevel("KESTREL_XR", -100);
  EXPECT_TRUE(has("adapter: removed"));
  EXPECT_TRUE(has("link: down"));
  EXPECT_TRUE(
      has("network 9: KESTREL_XR | 00:14:6C:5E:00:09 | 2462 MHz flags 0x0400 | none | "
          "infrastructure | -100 dBm (out of range) xr"));
}

}  // namespace
}  // namespace kestrel::sim
