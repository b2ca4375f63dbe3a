#include "win32/ui/settings/window_controls.h"

#include "win32/win32_control_surface.h"

namespace kestrel {

template <typename Change>
void WindowControls::change(Change&& apply) {
  const bool outer = echoing_;
  echoing_ = true;
  Win32ControlSurface surface(view_.hwnd());
  apply(surface);
  echoing_ = outer;
}

std::string WindowControls::text(ControlId id) {
  return Win32ControlSurface(view_.hwnd()).text(id);
}
void WindowControls::setText(ControlId id, const std::string& value) {
  change([&](ControlSurface& s) { s.setText(id, value); });
}
void WindowControls::limitText(ControlId id, int characters) {
  change([&](ControlSurface& s) { s.limitText(id, characters); });
}
bool WindowControls::checked(ControlId id) {
  return Win32ControlSurface(view_.hwnd()).checked(id);
}
void WindowControls::setChecked(ControlId id, bool value) {
  change([&](ControlSurface& s) { s.setChecked(id, value); });
}
bool WindowControls::enabled(ControlId id) {
  return Win32ControlSurface(view_.hwnd()).enabled(id);
}
void WindowControls::enable(ControlId id, bool value) {
  change([&](ControlSurface& s) { s.enable(id, value); });
}
bool WindowControls::visible(ControlId id) {
  return Win32ControlSurface(view_.hwnd()).visible(id);
}
void WindowControls::show(ControlId id, bool value) {
  change([&](ControlSurface& s) { s.show(id, value); });
}
void WindowControls::focus(ControlId id) {
  change([&](ControlSurface& s) { s.focus(id); });
}
void WindowControls::clearList(ControlId id) {
  change([&](ControlSurface& s) { s.clearList(id); });
}
int WindowControls::addListItem(ControlId id, const std::string& value) {
  int index = -1;
  change([&](ControlSurface& s) { index = s.addListItem(id, value); });
  return index;
}
int WindowControls::listCount(ControlId id) {
  return Win32ControlSurface(view_.hwnd()).listCount(id);
}
std::string WindowControls::listItemText(ControlId id, int index) {
  return Win32ControlSurface(view_.hwnd()).listItemText(id, index);
}
int WindowControls::selectedListItem(ControlId id) {
  return Win32ControlSurface(view_.hwnd()).selectedListItem(id);
}
void WindowControls::selectListItem(ControlId id, int index) {
  change([&](ControlSurface& s) { s.selectListItem(id, index); });
}
void WindowControls::setSliderRange(ControlId id, int minimum, int maximum) {
  change([&](ControlSurface& s) { s.setSliderRange(id, minimum, maximum); });
}
void WindowControls::setSliderTickFrequency(ControlId id, int frequency) {
  change([&](ControlSurface& s) { s.setSliderTickFrequency(id, frequency); });
}
int WindowControls::sliderPosition(ControlId id) {
  return Win32ControlSurface(view_.hwnd()).sliderPosition(id);
}
void WindowControls::setSliderPosition(ControlId id, int position) {
  change([&](ControlSurface& s) { s.setSliderPosition(id, position); });
}

}  // namespace kestrel
