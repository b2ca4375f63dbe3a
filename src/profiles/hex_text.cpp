#include "profiles/hex_text.h"

namespace kestrel {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

std::string HexText(const std::uint8_t* bytes, std::size_t size, bool upperCase) {
  std::string text;
  AppendHexText(text, bytes, size, upperCase);
  return text;
}

void AppendHexText(std::string& text, const std::uint8_t* bytes, std::size_t size, bool upperCase) {
  const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
  text.reserve(text.size() + 2 * size);
  for (std::size_t i = 0; i < size; ++i) {
    text += digits[bytes[i] >> 4];
    text += digits[bytes[i] & 0x0F];
  }
}

}  // namespace kestrel
