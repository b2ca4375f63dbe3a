#pragma once
// Port: fresh GUIDs from the system.

#include <string>

namespace kestrel {

// `createGuidText` makes a new GUID and gives it as 36 characters of lower-case hex in
// groups 8-4-4-4-12, without braces. False when the GUID could not be made or formatted;
// `text` is then left as it was.
class GuidSource {
 public:
  virtual ~GuidSource() = default;
  virtual bool createGuidText(std::string& text) = 0;
};

}  // namespace kestrel
