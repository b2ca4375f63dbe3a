#pragma once
// Reads CP932 core texts back as UTF-8 with the C library's converter, so tests can compare
// them with the Japanese they are meant to spell. Native builds only.

#include <iconv.h>

#include <string>

namespace kestrel::fakes {

// One conversion with the C library; growth is the most output bytes per input byte.
inline std::string ConvertText(const char* to, const char* from, const std::string& text,
                               std::size_t growth, const char* notConvertible) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1))
    return "(no CP932 converter)";
  std::string in = text;
  std::string out(in.size() * growth, '\0');
  char* inAt = in.data();
  char* outAt = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  const std::size_t converted = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
  iconv_close(converter);
  if (converted == static_cast<std::size_t>(-1))
    return notConvertible;
  out.resize(out.size() - outLeft);
  return out;
}

inline std::string FromCp932(const std::string& bytes) {
  return ConvertText("UTF-8", "CP932", bytes, 4, "(not CP932)");
}

// The code page 932 spelling of a UTF-8 text.
inline std::string ToCp932(const std::string& utf8) {
  return ConvertText("CP932", "UTF-8", utf8, 2, "(not convertible)");
}

}  // namespace kestrel::fakes
