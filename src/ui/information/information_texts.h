#pragma once
// Texts of the information page in the ANSI code page 932. Each Japanese text is written
// as escaped Shift-JIS bytes with the text itself in a comment.

namespace kestrel::information_texts {

struct RegionText {
  const char* code;
  const char* name;
};

// Region names by the adapter's country code; each begins with one blank.
inline constexpr RegionText kRegions[] = {
    {"DZ", " \x83\x41\x83\x74\x83\x8A\x83\x4A"},                          // " アフリカ"
    {"CN", " \x83\x41\x83\x57\x83\x41"},                                  // " アジア"
    {"AU", " \x83\x49\x81\x5B\x83\x58\x83\x67\x83\x89\x83\x8A\x83\x41"},  // " オーストラリア"
    {"CA", " \x83\x4A\x83\x69\x83\x5F"},                                  // " カナダ"
    {"GB", " \x83\x88\x81\x5B\x83\x8D\x83\x62\x83\x70"},                  // " ヨーロッパ"
    {"FR", " \x83\x74\x83\x89\x83\x93\x83\x58"},                          // " フランス"
    {"IL", " \x83\x43\x83\x58\x83\x89\x83\x47\x83\x8B"},                  // " イスラエル"
    {"JP", " \x93\xFA\x96\x7B"},                                          // " 日本"
    {"MX", " \x83\x81\x83\x4C\x83\x56\x83\x52"},                          // " メキシコ"
    {"BR", " \x93\xEC\x83\x41\x83\x81\x83\x8A\x83\x4A"},                  // " 南アメリカ"
    {"US", " \x95\xC4\x8D\x91"},                                          // " 米国"
};

inline constexpr char kUnknown[] = " UnKnown";

}  // namespace kestrel::information_texts
