#pragma once

#include <windows.h>

#include "platform/control_surface.h"
#include "win32/dialog_view.h"

namespace kestrel {

// The controls of whatever window a long-lived view has at the moment (none: every call
// does nothing). Changes made through it are echoed back by some controls as
// notifications; `echoing` tells the view to ignore those, so that its page sees only
// what the user did.
class WindowControls : public ControlSurface {
 public:
  explicit WindowControls(const DialogView& view) : view_(view) {}
  bool echoing() const { return echoing_; }

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
  template <typename Change>
  void change(Change&& apply);

  const DialogView& view_;
  bool echoing_ = false;
};

}  // namespace kestrel
