#pragma once

#include <windows.h>

#include "platform/text_collation.h"

namespace kestrel {

// The user's locale order through CompareStringA (texts stay in the system code page).
class Win32TextCollation : public TextCollation {
 public:
  int compare(const std::string& first, const std::string& second) override {
    const int result =
        CompareStringA(LOCALE_USER_DEFAULT, 0, first.c_str(), static_cast<int>(first.size()),
                       second.c_str(), static_cast<int>(second.size()));
    return result == 0 ? first.compare(second) : result - CSTR_EQUAL;
  }
};

}  // namespace kestrel
