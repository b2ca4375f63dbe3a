#pragma once

#include <windows.h>

#include "platform/control_surface.h"

namespace kestrel {

// The controls of one dialog window, through GetDlgItem and the controls' messages.
class Win32ControlSurface : public ControlSurface {
 public:
  explicit Win32ControlSurface(HWND dialog) : dialog_(dialog) {}

  std::string text(ControlId id) override;
  void setText(ControlId id, const std::string& text) override;
  void limitText(ControlId id, int characters) override;
  bool checked(ControlId id) override;
  void setChecked(ControlId id, bool checked) override;
  bool enabled(ControlId id) override;
  void enable(ControlId id, bool enabled) override;
  bool visible(ControlId id) override;
  void show(ControlId id, bool visible) override;
  void focus(ControlId id) override;
  void clearList(ControlId id) override;
  int addListItem(ControlId id, const std::string& text) override;
  int listCount(ControlId id) override;
  std::string listItemText(ControlId id, int index) override;
  int selectedListItem(ControlId id) override;
  void selectListItem(ControlId id, int index) override;
  void setSliderRange(ControlId id, int minimum, int maximum) override;
  void setSliderTickFrequency(ControlId id, int frequency) override;
  int sliderPosition(ControlId id) override;
  void setSliderPosition(ControlId id, int position) override;

 private:
  HWND item(ControlId id) const { return GetDlgItem(dialog_, id); }
  bool isCombo(HWND control) const;

  HWND dialog_;
};

}  // namespace kestrel
