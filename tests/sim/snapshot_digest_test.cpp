// What makes the store save its snapshot: changes worth keeping, not requests that only read.
#include <gtest/gtest.h>

#include "model/snapshot_digest.h"
#include "sim_test_support.h"

namespace kestrel::sim {
namespace {

class SnapshotDigestTest : public ::testing::Test, protected testing::SimFixture {
 protected:
  std::uint64_t digest() { return SnapshotDigest(shared); }
  // What the tray and the status panel ask twice a second.
  void pollFor(int seconds) {
    for (int i = 0; i < 2 * seconds; ++i) {
      after(500);
      state();
      std::uint8_t block[oid::kStatisticsSize] = {};
      query(oid::kVndStatistics, block, sizeof block);
      std::uint8_t rssi[4] = {};
      query(oid::k80211Rssi, rssi, 4);
    }
  }
};

TEST_F(SnapshotDigestTest, AConnectedLinkThatIsOnlyReadKeepsItsDigest) {
  security(1, 0, 1);
  setSsid("KESTREL_Open");
  after(1100);
  ASSERT_EQ(state(), 1u);
  const std::uint64_t connected = digest();
  random.fallback = 2;  // the signal walks
  pollFor(120);
  EXPECT_EQ(digest(), connected);
}

TEST_F(SnapshotDigestTest, AScanThatKeepsFindingNothingKeepsItsDigest) {
  adapter.setNetworkLevel("KESTREL_Turbo", -100);
  security(1, 0, 1);
  setSsid("KESTREL_Turbo");
  after(700);
  state();
  const std::uint64_t scanning = digest();
  pollFor(30);
  EXPECT_EQ(digest(), scanning);
}

TEST_F(SnapshotDigestTest, EveryChangeAReaderCanSeeChangesTheDigest) {
  std::uint64_t last = digest();
  auto changed = [&] {
    const std::uint64_t now = digest();
    const bool moved = now != last;
    last = now;
    return moved;
  };
  security(1, 0, 3);
  EXPECT_TRUE(changed());
  setSsid("KESTREL_Open");
  EXPECT_TRUE(changed());
  after(600);
  state();  // connecting
  EXPECT_TRUE(changed());
  after(500);
  state();  // connected
  EXPECT_TRUE(changed());
  adapter.setNetworkLevel("KESTREL_WEP", -80);
  EXPECT_TRUE(changed());
  adapter.reportDot1xPassphrase("kestrel-wpa2-psk");
  EXPECT_TRUE(changed());
  adapter.setPresent(false);
  EXPECT_TRUE(changed());
  // The stored digest itself is not part of it.
  shared.snapshotDigest = last;
  EXPECT_FALSE(changed());
}

}  // namespace
}  // namespace kestrel::sim
