#pragma once
// Help files: a small UTF-8 markup turned into RTF whose Japanese is written as \uN? escapes.
//   "= text"  heading
//   "- text"  list item
//   blank     paragraph break
//   other     body text (consecutive lines join into one paragraph)

#include <string>

namespace kestrel::artwork {

std::string HelpMarkupToRtf(const std::string& utf8Markup);

}  // namespace kestrel::artwork
