#pragma once
// A load chart that records the operations it is asked for, in order.

#include <string>
#include <vector>

#include "ui/windowless/windowless_page.h"

namespace kestrel::fakes {

class RecordingLoadChart : public WindowlessChart {
 public:
  std::vector<std::string> operations;  // "interval 1000", "append 143", "advance", "empty"

  std::uint32_t SetScrollInterval(std::uint32_t ms) override {
    operations.push_back("interval " + std::to_string(ms));
    return WindowlessChart::SetScrollInterval(ms);
  }
  void AppendValue(int value) override { operations.push_back("append " + std::to_string(value)); }
  void Advance() override { operations.push_back("advance"); }
  void AdvanceEmpty() override { operations.push_back("empty"); }
};

}  // namespace kestrel::fakes
