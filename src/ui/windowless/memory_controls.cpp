#include "ui/windowless/memory_controls.h"

#include <algorithm>

namespace kestrel {

void MemoryControls::clearList(ControlId id) {
  at(id).items.clear();
  at(id).selection = -1;
}

int MemoryControls::addListItem(ControlId id, const std::string& value) {
  at(id).items.push_back(value);
  return static_cast<int>(at(id).items.size()) - 1;
}

std::string MemoryControls::listItemText(ControlId id, int index) {
  const auto& items = at(id).items;
  if (index < 0 || index >= static_cast<int>(items.size()))
    return {};
  return items[static_cast<std::size_t>(index)];
}

void MemoryControls::selectListItem(ControlId id, int index) {
  at(id).selection = index >= 0 && index < listCount(id) ? index : -1;
}

void MemoryControls::setSliderRange(ControlId id, int minimum, int maximum) {
  MemoryControl& control = at(id);
  control.sliderMin = minimum;
  control.sliderMax = maximum;
  control.sliderPosition = std::clamp(control.sliderPosition, minimum, std::max(minimum, maximum));
}

void MemoryControls::setSliderPosition(ControlId id, int position) {
  MemoryControl& control = at(id);
  control.sliderPosition =
      std::clamp(position, control.sliderMin, std::max(control.sliderMin, control.sliderMax));
}

}  // namespace kestrel
