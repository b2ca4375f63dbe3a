#pragma once

#include <cstdint>

namespace kestrel {

// The operating-system classification that many rules branch on; numbered as stored.
enum class OsKind : std::uint8_t { Xp = 0, Win2000 = 1, Nt4 = 2, Win95 = 3, Win98 = 4, Me = 5 };

inline constexpr std::uint32_t kServicePackLevel9x = 98;

// Owned by the application, which classifies the system at start; XP with no service
// pack until then.
struct SystemKind {
  OsKind os = OsKind::Xp;
  std::uint32_t servicePackLevel = 0;
};

inline bool IsWin9xFamily(OsKind os) {
  return os == OsKind::Win95 || os == OsKind::Win98 || os == OsKind::Me;
}

}  // namespace kestrel
