#pragma once
// The controls of a page with no window: every control exists from its first use, enabled
// and visible, as a dialog template makes it. kestrelctl runs the pages' own rules on these,
// so what it saves and applies is what the page would; the tests read them back.

#include <map>
#include <string>
#include <vector>

#include "platform/control_surface.h"

namespace kestrel {

struct MemoryControl {
  std::string text;
  int textLimit = 0;  // the typing limit set by the page; 0 for none
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

class MemoryControls : public ControlSurface {
 public:
  std::map<ControlId, MemoryControl> controls;
  ControlId focused = 0;

  MemoryControl& at(ControlId id) { return controls[id]; }

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
  void clearList(ControlId id) override;
  int addListItem(ControlId id, const std::string& value) override;
  int listCount(ControlId id) override { return static_cast<int>(at(id).items.size()); }
  std::string listItemText(ControlId id, int index) override;
  int selectedListItem(ControlId id) override { return at(id).selection; }
  void selectListItem(ControlId id, int index) override;
  void setSliderRange(ControlId id, int minimum, int maximum) override;
  void setSliderTickFrequency(ControlId id, int frequency) override {
    at(id).sliderTicks = frequency;
  }
  int sliderPosition(ControlId id) override { return at(id).sliderPosition; }
  void setSliderPosition(ControlId id, int position) override;
};

}  // namespace kestrel
