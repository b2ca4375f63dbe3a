#pragma once
// A simulated adapter on a hand-driven clock and a scripted random source.

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>
#include <vector>

#include "adapter/byte_order.h"
#include "adapter/oids.h"
#include "model/scenario.h"
#include "model/simulated_adapter.h"

namespace kestrel::sim::testing {

class ManualClock : public SimClock {
 public:
  std::uint64_t now = 1'000'000;
  std::uint64_t nowMs() override { return now; }
};

// Answers the scripted values in turn, then repeats `fallback`.
class ScriptedRandom : public RandomSource {
 public:
  std::vector<std::uint32_t> values;
  std::uint32_t fallback = 1;  // a walk step of 0, a jitter of 91 %
  std::uint32_t next() override {
    if (values.empty())
      return fallback;
    const std::uint32_t value = values.front();
    values.erase(values.begin());
    return value;
  }
};

class SimFixture {
 protected:
  SimFixture() { adapter.reset(DefaultScenario()); }

  void after(std::uint64_t ms) { clock.now += ms; }

  RequestResult query(std::uint32_t oid, std::uint8_t* buffer, std::uint32_t length) {
    return adapter.request(0, oid, buffer, length);
  }
  RequestResult set(std::uint32_t oid, const void* buffer, std::uint32_t length) {
    return adapter.request(1, oid, static_cast<std::uint8_t*>(const_cast<void*>(buffer)), length);
  }
  RequestResult setWord(std::uint32_t oid, std::uint32_t value) {
    std::uint8_t bytes[4];
    WriteLe32(bytes, value);
    return set(oid, bytes, 4);
  }
  std::uint32_t word(std::uint32_t oid) {
    std::uint8_t bytes[4] = {};
    const RequestResult result = query(oid, bytes, 4);
    EXPECT_EQ(result.status, kStatusSuccess) << std::hex << oid;
    return ReadLe32(bytes);
  }
  std::uint32_t state() { return word(oid::kVndConnectionState); }

  void setSsid(std::string_view ssid) {
    std::uint8_t record[oid::kSsidRecordSize] = {};
    WriteLe32(record, static_cast<std::uint32_t>(ssid.size()));
    std::memcpy(record + 4, ssid.data(), ssid.size());
    ASSERT_EQ(set(oid::k80211Ssid, record, sizeof record).status, kStatusSuccess);
  }
  void addWep(std::uint32_t index, std::vector<std::uint8_t> key) {
    std::vector<std::uint8_t> record(key.size() + 15, 0);
    WriteLe32(record.data(), static_cast<std::uint32_t>(record.size()));
    WriteLe32(record.data() + 4, index);
    WriteLe32(record.data() + 8, static_cast<std::uint32_t>(key.size()));
    std::memcpy(record.data() + 12, key.data(), key.size());
    ASSERT_EQ(
        set(oid::k80211AddWep, record.data(), static_cast<std::uint32_t>(record.size())).status,
        kStatusSuccess);
  }
  // What a configuration push sends before the SSID: network type, authentication, encryption.
  void security(std::uint32_t infrastructure, std::uint32_t authentication,
                std::uint32_t encryption) {
    ASSERT_EQ(setWord(oid::k80211InfrastructureMode, infrastructure).status, kStatusSuccess);
    ASSERT_EQ(setWord(oid::k80211AuthenticationMode, authentication).status, kStatusSuccess);
    ASSERT_EQ(setWord(oid::k80211WepStatus, encryption).status, kStatusSuccess);
  }

  ManualClock clock;
  ScriptedRandom random;
  SharedAdapterState shared{};
  SimulatedAdapter adapter{shared, clock, random};
};

}  // namespace kestrel::sim::testing
