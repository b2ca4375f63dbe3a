#pragma once
// An icon's picture as one number: two handles to the same picture give the same value.

#include <windows.h>

#include <cstdint>

namespace kestrel::endurance {

// 0 for a handle that is no icon.
std::uint64_t IconFingerprint(HICON icon);

}  // namespace kestrel::endurance
