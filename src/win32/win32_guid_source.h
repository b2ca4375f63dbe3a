#pragma once

#include "platform/guid_source.h"

namespace kestrel {

// UuidCreate and UuidToStringA.
class Win32GuidSource : public GuidSource {
 public:
  bool createGuidText(std::string& text) override;
};

}  // namespace kestrel
