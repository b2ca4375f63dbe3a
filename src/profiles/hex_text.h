#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrel {

// 0..15 for a hex digit of either case, -1 for anything else.
int HexDigitValue(char c);

// Two digits per byte, high nibble first.
std::string HexText(const std::uint8_t* bytes, std::size_t size, bool upperCase);
// The same digits added to `text`, room made first so no partial copy is left in freed
// memory when the digits are a secret.
void AppendHexText(std::string& text, const std::uint8_t* bytes, std::size_t size, bool upperCase);

}  // namespace kestrel
