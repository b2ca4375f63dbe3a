#pragma once
// Port: the system's locale-aware comparison of two texts, as a table sorts by a column.

#include <string>

namespace kestrel {

// Texts are core texts (code page 932). The result is negative, zero or positive as
// `first` sorts before, with or after `second` in the user's locale. Any two texts can be
// compared; nothing fails.
class TextCollation {
 public:
  virtual ~TextCollation() = default;
  virtual int compare(const std::string& first, const std::string& second) = 0;
};

}  // namespace kestrel
