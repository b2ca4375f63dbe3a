#include "adapter/ndis_channel.h"

#include <gtest/gtest.h>

#include "fakes/fake_ndis_library.h"

namespace kestrel {
namespace {

class NdisChannelTest : public ::testing::Test {
 protected:
  NdisChannelTest() { adapter.deviceName = "\\DEVICE\\{A1B2C3D4-0000-1111-2222-333344445555}"; }

  fakes::FakeNdisLibrary library;
  fakes::FakeCompletionEvents events;
  bool opened = false;
  ZAdapterInfo adapter;
  NdisChannel channel{library, events, opened};
};

TEST_F(NdisChannelTest, FillsTheRequestRecordForASet) {
  std::uint8_t data[4] = {1, 2, 3, 4};
  ASSERT_TRUE(channel.set(adapter, 0x0D010108, data, sizeof data));

  ASSERT_EQ(library.requests.size(), 1u);
  const auto& request = library.requests[0];
  EXPECT_EQ(request.type, kNdisSetInformation);
  EXPECT_EQ(request.oid, 0x0D010108u);
  EXPECT_EQ(request.length, 4u);
  EXPECT_EQ(request.bytes, std::vector<std::uint8_t>({1, 2, 3, 4}));
  EXPECT_EQ(library.lastSynchronous, 1u);
  EXPECT_NE(library.lastEvent, nullptr);
}

TEST_F(NdisChannelTest, SendsANullBufferWithLengthZero) {
  ASSERT_TRUE(channel.set(adapter, 0xFF21000E, nullptr, 0));
  EXPECT_TRUE(library.requests[0].nullBuffer);
  EXPECT_EQ(library.requests[0].length, 0u);
}

TEST_F(NdisChannelTest, QueryReportsTheDriversByteCountNotTheBufferSize) {
  library.answers[0xFF000013] = {0x6C, 0x09};
  std::uint8_t buffer[16] = {};
  std::uint32_t written = 99;
  ASSERT_TRUE(channel.query(adapter, 0xFF000013, buffer, sizeof buffer, written));
  EXPECT_EQ(written, 2u);
  EXPECT_EQ(library.requests[0].type, kNdisQueryInformation);
  EXPECT_EQ(library.requests[0].length, 16u);
  EXPECT_EQ(buffer[0], 0x6C);
}

TEST_F(NdisChannelTest, AFailedRequestReportsFalseAndLeavesTheCountAlone) {
  library.failingOids[0x0D010206] = 0xC0010017;
  std::uint8_t buffer[4] = {};
  std::uint32_t written = 42;
  EXPECT_FALSE(channel.query(adapter, 0x0D010206, buffer, sizeof buffer, written));
  EXPECT_EQ(written, 42u);
}

TEST_F(NdisChannelTest, OpensOnceByTheDeviceNameAndReusesTheHandle) {
  ASSERT_TRUE(channel.set(adapter, 1, nullptr, 0));
  ASSERT_TRUE(channel.set(adapter, 2, nullptr, 0));
  EXPECT_EQ(library.openedNames, std::vector<std::string>({adapter.deviceName}));
  EXPECT_TRUE(opened);
  EXPECT_EQ(library.requests[0].handle, library.requests[1].handle);
  EXPECT_EQ(events.created, 1);
}

TEST_F(NdisChannelTest, AFailedOpenFailsQuietlyAndEveryRequestRetriesIt) {
  library.openFails = true;
  EXPECT_FALSE(channel.set(adapter, 1, nullptr, 0));
  EXPECT_FALSE(channel.set(adapter, 1, nullptr, 0));
  EXPECT_FALSE(opened);
  EXPECT_EQ(library.openedNames.size(), 2u);
  EXPECT_TRUE(library.requests.empty());

  library.openFails = false;
  EXPECT_TRUE(channel.set(adapter, 1, nullptr, 0));
  EXPECT_TRUE(opened);
}

TEST_F(NdisChannelTest, WithoutAnEventTheHalfOpenedAdapterIsClosed) {
  events.createFails = true;
  EXPECT_FALSE(channel.set(adapter, 1, nullptr, 0));
  EXPECT_FALSE(opened);
  ASSERT_EQ(library.closedAdapters.size(), 1u);
  EXPECT_TRUE(library.requests.empty());
}

TEST_F(NdisChannelTest, ClearingTheFlagReopensByTheCurrentNameAndClosesTheStaleHandle) {
  ASSERT_TRUE(channel.set(adapter, 1, nullptr, 0));
  const NdisHandle first = library.requests[0].handle;

  opened = false;
  adapter.deviceName = "\\DEVICE\\{FFFFFFFF-0000-1111-2222-333344445555}";
  ASSERT_TRUE(channel.set(adapter, 2, nullptr, 0));

  ASSERT_EQ(library.openedNames.size(), 2u);
  EXPECT_EQ(library.openedNames[1], adapter.deviceName);
  EXPECT_EQ(library.closedAdapters, std::vector<NdisHandle>({first}));
  EXPECT_EQ(events.closed.size(), 1u);
  EXPECT_NE(library.requests[1].handle, first);
}

TEST_F(NdisChannelTest, CountWordsAreZeroedBeforeEachRequest) {
  library.answers[5] = {1, 2, 3, 4, 5, 6, 7, 8};
  std::uint8_t big[8];
  std::uint32_t written = 0;
  ASSERT_TRUE(channel.query(adapter, 5, big, sizeof big, written));
  EXPECT_EQ(written, 8u);
  // A set after it must not inherit the query's byte count.
  library.answers.clear();
  std::uint8_t small[4];
  library.failingOids[6] = 0;  // succeed without an answer table entry
  ASSERT_TRUE(channel.query(adapter, 6, small, sizeof small, written));
  EXPECT_EQ(written, 0u);
}

TEST_F(NdisChannelTest, ABytesNeededWordLeftByAShortBufferIsClearedBeforeTheNextRequest) {
  library.answers[5] = {1, 2, 3, 4, 5, 6, 7, 8};
  std::uint8_t small[4];
  std::uint32_t written = 0;
  ASSERT_TRUE(channel.query(adapter, 5, small, sizeof small, written));
  EXPECT_EQ(written, 4u);
  // The library refuses a record that still carries the 8 bytes the short buffer needed.
  EXPECT_TRUE(channel.set(adapter, 6, nullptr, 0));
  EXPECT_TRUE(channel.query(adapter, 5, small, sizeof small, written));
  EXPECT_EQ(library.staleRecords, 0);
}

TEST_F(NdisChannelTest, TheCompletionRecordIsZeroedEachTimeTheChannelOpens) {
  library.answers[5] = {1, 2, 3, 4};
  std::uint8_t buffer[4];
  std::uint32_t written = 0;
  ASSERT_TRUE(channel.query(adapter, 5, buffer, sizeof buffer, written));
  // The completed query left its count in the overlapped words; a new handle must not
  // start with them.
  opened = false;
  EXPECT_TRUE(channel.query(adapter, 5, buffer, sizeof buffer, written));
  EXPECT_EQ(library.openedNames.size(), 2u);
  EXPECT_EQ(library.staleRecords, 0);
}

}  // namespace
}  // namespace kestrel
