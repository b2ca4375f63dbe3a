#pragma once
// Port: the controls of one dialog or property page, addressed by control id. Pages and
// dialogs hold their rules in portable classes that see their window only through this;
// the Win32 side maps each call to the control's messages, tests keep the state in memory.
//
// Texts are core texts (code page 932). List calls work on combo boxes and list boxes
// alike; an index of -1 means no selection. Calls on an id the window does not have do
// nothing and read as empty, unchecked, disabled, hidden or -1.

#include <string>

namespace kestrel {

using ControlId = int;

// What a control reports to its page (decoded once, at the Win32 boundary).
enum class ControlEvent {
  Clicked,           // button, check box or radio button pressed
  SelectionChanged,  // combo box or list box selection changed by the user
  TextChanged,       // edit text changed by the user
  FocusLost,
  Scrolled,    // slider moved by the user
  ListOpened,  // a combo box's drop-down list is about to open
};

class ControlSurface {
 public:
  virtual ~ControlSurface() = default;

  virtual std::string text(ControlId id) = 0;
  virtual void setText(ControlId id, const std::string& text) = 0;
  // Maximum number of characters the user may type into an edit control.
  virtual void limitText(ControlId id, int characters) = 0;

  virtual bool checked(ControlId id) = 0;
  virtual void setChecked(ControlId id, bool checked) = 0;

  virtual bool enabled(ControlId id) = 0;
  virtual void enable(ControlId id, bool enabled) = 0;
  virtual bool visible(ControlId id) = 0;
  virtual void show(ControlId id, bool visible) = 0;
  virtual void focus(ControlId id) = 0;

  virtual void clearList(ControlId id) = 0;
  // Appends an entry and returns its index.
  virtual int addListItem(ControlId id, const std::string& text) = 0;
  virtual int listCount(ControlId id) = 0;
  virtual std::string listItemText(ControlId id, int index) = 0;
  virtual int selectedListItem(ControlId id) = 0;
  virtual void selectListItem(ControlId id, int index) = 0;

  // Sliders (track bars).
  virtual void setSliderRange(ControlId id, int minimum, int maximum) = 0;
  virtual void setSliderTickFrequency(ControlId id, int frequency) = 0;
  virtual int sliderPosition(ControlId id) = 0;
  virtual void setSliderPosition(ControlId id, int position) = 0;
};

}  // namespace kestrel
