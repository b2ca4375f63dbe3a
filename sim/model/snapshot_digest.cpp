#include "model/snapshot_digest.h"

#include <cstring>

namespace kestrel::sim {

std::uint64_t SnapshotDigest(const SharedAdapterState& state) {
  SharedAdapterState kept = state;
  kept.snapshotDigest = 0;
  kept.requestCount = 0;
  std::memset(kept.requestLog, 0, sizeof kept.requestLog);
  kept.scanTriggerCount = 0;
  kept.lastAdvanceMs = 0;
  kept.rssiOffset = 0;
  kept.walkRemainderMs = 0;
  if (kept.phase == LinkPhase::Scanning)
    kept.phaseStartMs = 0;

  // FNV-1a over 64-bit words: it runs on every request, and only has to notice changes.
  std::uint64_t digest = 0xCBF29CE484222325ull;
  const auto* bytes = reinterpret_cast<const unsigned char*>(&kept);
  for (std::size_t at = 0; at < sizeof kept; at += sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes + at, sizeof word);
    digest = (digest ^ word) * 0x100000001B3ull;
    digest ^= digest >> 29;
  }
  return digest;
}

}  // namespace kestrel::sim
