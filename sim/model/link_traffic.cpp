#include "model/link_traffic.h"

namespace kestrel::sim {

namespace {

constexpr std::uint64_t kBlockSeconds = 32;  // two blocks make a period that carries the mean
constexpr std::uint64_t kPeriodMs = 2 * kBlockSeconds * 1000;
constexpr std::uint32_t kSendSharePercent = 33;
constexpr std::uint32_t kReceiveSeedSalt = 0x5BD1E995u;

std::uint32_t Mix(std::uint32_t seed, std::uint64_t index) {
  std::uint64_t x = (index + 1) * 0x9E3779B97F4A7C15ull ^ seed;
  x ^= x >> 33;
  x *= 0xFF51AFD7ED558CCDull;
  x ^= x >> 33;
  x *= 0xC4CEB9FE1A85EC53ull;
  x ^= x >> 33;
  return static_cast<std::uint32_t>(x);
}

// A second's weight: mostly 20..99, one in six a burst of 200..399 (mean about 100).
std::uint64_t SecondWeight(std::uint32_t seed, std::uint64_t second) {
  const std::uint32_t draw = Mix(seed, second);
  if (draw % 6 == 0)
    return 200 + (draw >> 8) % 200;
  return 20 + (draw >> 8) % 80;
}

// Bytes of one direction in the first `elapsedMs` at `bytesPerSecond` on average.
std::uint64_t DirectionBytes(std::uint64_t elapsedMs, std::uint64_t bytesPerSecond,
                             std::uint32_t seed) {
  const std::uint64_t periods = elapsedMs / kPeriodMs;
  std::uint64_t total = periods * (kPeriodMs / 1000) * bytesPerSecond;
  std::uint64_t intoPeriod = elapsedMs % kPeriodMs;

  // One block of the period runs above the mean by up to 40 %, the other as far below.
  const std::uint64_t swing = Mix(seed ^ 0xA5A5A5A5u, periods) % 81;  // percent, 0..80
  const std::uint64_t blockBytes = kBlockSeconds * bytesPerSecond;
  const std::uint64_t firstBlock = blockBytes * (60 + swing) / 100;
  std::uint64_t block = periods * 2;
  std::uint64_t thisBlock = firstBlock;
  if (intoPeriod >= kBlockSeconds * 1000) {
    total += firstBlock;
    intoPeriod -= kBlockSeconds * 1000;
    thisBlock = 2 * blockBytes - firstBlock;
    ++block;
  }

  // Spread the block's bytes over its seconds by their weights.
  const std::uint64_t firstSecond = block * kBlockSeconds;
  std::uint64_t allWeights = 0;
  for (std::uint64_t s = 0; s < kBlockSeconds; ++s)
    allWeights += SecondWeight(seed, firstSecond + s);
  const std::uint64_t fullSeconds = intoPeriod / 1000;
  std::uint64_t before = 0;
  for (std::uint64_t s = 0; s < fullSeconds; ++s)
    before += SecondWeight(seed, firstSecond + s);
  const std::uint64_t now = before * 1000 + SecondWeight(seed, firstSecond + fullSeconds) *
                                                (intoPeriod % 1000);  // weight-milliseconds
  return total + thisBlock * now / (allWeights * 1000);
}

}  // namespace

TrafficBytes LinkTraffic(std::uint64_t elapsedMs, std::uint32_t meanKbps, std::uint32_t seed) {
  const std::uint64_t bytesPerSecond = std::uint64_t{meanKbps} * 1000 / 8;
  TrafficBytes bytes;
  bytes.tx = DirectionBytes(elapsedMs, bytesPerSecond * kSendSharePercent / 100, seed);
  bytes.rx = DirectionBytes(elapsedMs, bytesPerSecond * (100 - kSendSharePercent) / 100,
                            seed ^ kReceiveSeedSalt);
  return bytes;
}

}  // namespace kestrel::sim
