#pragma once
// GUID texts handed out from a list; fails when the list is used up.

#include <deque>
#include <string>

#include "platform/guid_source.h"

namespace kestrel::fakes {

class FakeGuidSource : public GuidSource {
 public:
  std::deque<std::string> texts{"3f2504e0-4f89-11d3-9a0c-0305e82c3301"};
  int calls = 0;

  bool createGuidText(std::string& text) override {
    ++calls;
    if (texts.empty())
      return false;
    text = texts.front();
    texts.pop_front();
    return true;
  }
};

}  // namespace kestrel::fakes
