#pragma once
// The wireless-mode bits and the country lookups both dialogs share.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "ui/dialogs/dialog_services.h"

namespace kestrel {

// Bits of `NetBand`, as the driver's wireless-mode record has them.
inline constexpr std::int32_t kMode11a = 0x01;
inline constexpr std::int32_t kMode11aTurbo = 0x02;
inline constexpr std::int32_t kMode11b = 0x04;
inline constexpr std::int32_t kMode11g = 0x08;
inline constexpr std::int32_t kMode11gTurbo = 0x10;

bool IsOneOf(const std::string& country, std::initializer_list<const char*> codes);

// The adapter's country code with an "NA" answer replaced by the driver's "ccode" value
// (kept as "NA" when that cannot be read); false when the adapter does not answer.
bool ReadCountryOrDriverCode(DialogServices& services, std::string& country);

}  // namespace kestrel
