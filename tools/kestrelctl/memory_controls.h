#pragma once
// The controls of a page with no window: kestrelctl runs the pages' own rules on these, so
// what it saves and applies is what the page would. Every control exists from its first
// use, enabled and visible, as a dialog template makes it.

#include <map>
#include <string>
#include <vector>

#include "platform/control_surface.h"

namespace kestrel::ctl {

class MemoryControls : public ControlSurface {
 public:
  std::string text(ControlId id) override { return at(id).text; }
  void setText(ControlId id, const std::string& value) override { at(id).text = value; }
  void limitText(ControlId id, int characters) override { at(id).limit = characters; }
  // The typing limit set by the page; 0 for none.
  int textLimit(ControlId id) { return at(id).limit; }
  bool checked(ControlId id) override { return at(id).checked; }
  void setChecked(ControlId id, bool value) override { at(id).checked = value; }
  bool enabled(ControlId id) override { return at(id).enabled; }
  void enable(ControlId id, bool value) override { at(id).enabled = value; }
  bool visible(ControlId id) override { return at(id).visible; }
  void show(ControlId id, bool value) override { at(id).visible = value; }
  void focus(ControlId) override {}
  void clearList(ControlId id) override;
  int addListItem(ControlId id, const std::string& value) override;
  int listCount(ControlId id) override { return static_cast<int>(at(id).items.size()); }
  std::string listItemText(ControlId id, int index) override;
  int selectedListItem(ControlId id) override { return at(id).selection; }
  void selectListItem(ControlId id, int index) override;
  void setSliderRange(ControlId id, int minimum, int maximum) override;
  void setSliderTickFrequency(ControlId, int) override {}
  int sliderPosition(ControlId id) override { return at(id).position; }
  void setSliderPosition(ControlId id, int position) override;

 private:
  struct Control {
    std::string text;
    int limit = 0;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    std::vector<std::string> items;
    int selection = -1;
    int minimum = 0;
    int maximum = 100;
    int position = 0;
  };
  Control& at(ControlId id) { return controls_[id]; }
  std::map<ControlId, Control> controls_;
};

}  // namespace kestrel::ctl
