#pragma once
// In-memory controls: every control springs into being on first use, enabled and visible,
// as the dialog template would have made it.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/control_surface.h"

namespace kestrel::fakes {

struct FakeControl {
  std::string text;
  int textLimit = 0;
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  std::vector<std::string> items;
  int selection = -1;
  int sliderMin = 0;
  int sliderMax = 100;
  int sliderTicks = 0;
  int sliderPosition = 0;
};

class FakeControlSurface : public ControlSurface {
 public:
  std::map<ControlId, FakeControl> controls;
  ControlId focused = 0;

  FakeControl& at(ControlId id) { return controls[id]; }

  std::string text(ControlId id) override { return at(id).text; }
  void setText(ControlId id, const std::string& value) override { at(id).text = value; }
  void limitText(ControlId id, int characters) override { at(id).textLimit = characters; }
  bool checked(ControlId id) override { return at(id).checked; }
  void setChecked(ControlId id, bool value) override { at(id).checked = value; }
  bool enabled(ControlId id) override { return at(id).enabled; }
  void enable(ControlId id, bool value) override { at(id).enabled = value; }
  bool visible(ControlId id) override { return at(id).visible; }
  void show(ControlId id, bool value) override { at(id).visible = value; }
  void focus(ControlId id) override { focused = id; }
  void clearList(ControlId id) override {
    at(id).items.clear();
    at(id).selection = -1;
  }
  int addListItem(ControlId id, const std::string& value) override {
    at(id).items.push_back(value);
    return static_cast<int>(at(id).items.size()) - 1;
  }
  int listCount(ControlId id) override { return static_cast<int>(at(id).items.size()); }
  std::string listItemText(ControlId id, int index) override {
    const auto& items = at(id).items;
    if (index < 0 || index >= static_cast<int>(items.size()))
      return {};
    return items[static_cast<std::size_t>(index)];
  }
  int selectedListItem(ControlId id) override { return at(id).selection; }
  void selectListItem(ControlId id, int index) override {
    at(id).selection = index >= 0 && index < listCount(id) ? index : -1;
  }
  void setSliderRange(ControlId id, int minimum, int maximum) override {
    at(id).sliderMin = minimum;
    at(id).sliderMax = maximum;
    at(id).sliderPosition = std::clamp(at(id).sliderPosition, minimum, std::max(minimum, maximum));
  }
  void setSliderTickFrequency(ControlId id, int frequency) override {
    at(id).sliderTicks = frequency;
  }
  int sliderPosition(ControlId id) override { return at(id).sliderPosition; }
  void setSliderPosition(ControlId id, int position) override {
    FakeControl& control = at(id);
    control.sliderPosition =
        std::clamp(position, control.sliderMin, std::max(control.sliderMin, control.sliderMax));
  }
};

}  // namespace kestrel::fakes
