#pragma once
// Reads CP932 core texts back as UTF-8 with the C library's converter, so tests can compare
// them with the Japanese they are meant to spell. Native builds only.

#include <iconv.h>

#include <string>

namespace kestrel::fakes {

inline std::string FromCp932(const std::string& bytes) {
  iconv_t converter = iconv_open("UTF-8", "CP932");
  if (converter == reinterpret_cast<iconv_t>(-1))
    return "(no CP932 converter)";
  std::string in = bytes;
  std::string out(in.size() * 4, '\0');
  char* inAt = in.data();
  char* outAt = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  const std::size_t converted = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
  iconv_close(converter);
  if (converted == static_cast<std::size_t>(-1))
    return "(not CP932)";
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace kestrel::fakes
