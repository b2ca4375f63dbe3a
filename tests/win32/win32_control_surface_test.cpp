// The control surface over real Win32 controls (needs a display: runs under Xvfb).
#include <windows.h>
// clang-format off
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include "win32/win32_control_surface.h"

namespace kestrel {
namespace {

constexpr ControlId kEdit = 1001;
constexpr ControlId kCombo = 1002;
constexpr ControlId kList = 1003;
constexpr ControlId kCheck = 1004;
constexpr ControlId kSlider = 1005;
constexpr ControlId kLabel = 1006;
constexpr ControlId kField = 1007;

class Win32ControlSurfaceTest : public ::testing::Test {
 protected:
  Win32ControlSurfaceTest() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    parent = CreateWindowExW(0, L"STATIC", L"surface", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    child(L"EDIT", WS_BORDER, kEdit);
    child(L"COMBOBOX", CBS_DROPDOWNLIST, kCombo);
    child(L"LISTBOX", 0, kList);
    child(L"BUTTON", BS_AUTOCHECKBOX, kCheck);
    child(TRACKBAR_CLASSW, 0, kSlider);
    child(L"STATIC", 0, kLabel);
    child(L"EDIT", ES_READONLY, kField);
  }
  ~Win32ControlSurfaceTest() override { DestroyWindow(parent); }

  void child(const wchar_t* className, DWORD style, ControlId id) {
    CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 100, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                    nullptr);
  }

  HWND parent = nullptr;
};

TEST_F(Win32ControlSurfaceTest, TextsRoundTripInTheCoreCodePage) {
  ASSERT_NE(parent, nullptr);
  Win32ControlSurface controls(parent);
  const std::string japanese = "\x83\x76\x83\x8D\x83\x74\x83\x40\x83\x43\x83\x8B";  // プロファイル
  controls.setText(kEdit, japanese);
  EXPECT_EQ(controls.text(kEdit), japanese);
  controls.limitText(kEdit, 4);
  EXPECT_EQ(SendMessageW(GetDlgItem(parent, kEdit), EM_GETLIMITTEXT, 0, 0), 4);
  EXPECT_EQ(controls.text(4242), "");  // no such control
}

// A static paints at once when its text is set (asking its parent for colours), an edit
// later (its update region): either way it painted again.
int colourRequests = 0;
WNDPROC parentProcedure = nullptr;

LRESULT CALLBACK CountingParent(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_CTLCOLORSTATIC)
    ++colourRequests;
  return CallWindowProcW(parentProcedure, window, message, w, l);
}

bool RepaintsOnSet(Win32ControlSurface& controls, HWND parent, ControlId id,
                   const std::string& text) {
  HWND control = GetDlgItem(parent, id);
  ValidateRect(control, nullptr);
  colourRequests = 0;
  controls.setText(id, text);
  return colourRequests > 0 || GetUpdateRect(control, nullptr, FALSE) != FALSE;
}

TEST_F(Win32ControlSurfaceTest, ShowingOnlyFieldsAreNotSetAgainToTheTextTheyShow) {
  parentProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingParent)));
  ShowWindow(parent, SW_SHOWNOACTIVATE);
  UpdateWindow(parent);
  Win32ControlSurface controls(parent);
  for (ControlId id : {kLabel, kField}) {
    controls.setText(id, "54 Mbps");
    EXPECT_FALSE(RepaintsOnSet(controls, parent, id, "54 Mbps")) << id;
    EXPECT_TRUE(RepaintsOnSet(controls, parent, id, "11 Mbps")) << id;
    EXPECT_EQ(controls.text(id), "11 Mbps");
    EXPECT_TRUE(RepaintsOnSet(controls, parent, id, "")) << id;
    EXPECT_EQ(controls.text(id), "");
  }
  // A typing edit is always set: the page's own sets move its caret and selection.
  controls.setText(kEdit, "abc");
  EXPECT_TRUE(RepaintsOnSet(controls, parent, kEdit, "abc"));
}

TEST_F(Win32ControlSurfaceTest, ListsWorkOnComboAndListBoxesAlike) {
  Win32ControlSurface controls(parent);
  for (ControlId id : {kCombo, kList}) {
    controls.clearList(id);
    EXPECT_EQ(controls.addListItem(id, "one"), 0);
    EXPECT_EQ(controls.addListItem(id, "two"), 1);
    EXPECT_EQ(controls.listCount(id), 2);
    EXPECT_EQ(controls.listItemText(id, 1), "two");
    EXPECT_EQ(controls.listItemText(id, 7), "");
    controls.selectListItem(id, 1);
    EXPECT_EQ(controls.selectedListItem(id), 1);
    controls.selectListItem(id, -1);
    EXPECT_EQ(controls.selectedListItem(id), -1);
  }
}

TEST_F(Win32ControlSurfaceTest, ButtonsSlidersAndStates) {
  Win32ControlSurface controls(parent);
  controls.setChecked(kCheck, true);
  EXPECT_TRUE(controls.checked(kCheck));
  controls.enable(kCheck, false);
  EXPECT_FALSE(controls.enabled(kCheck));
  controls.show(kCheck, false);
  EXPECT_FALSE(controls.visible(kCheck));
  controls.setSliderRange(kSlider, 256, 2346);
  controls.setSliderPosition(kSlider, 3000);
  EXPECT_EQ(controls.sliderPosition(kSlider), 2346);
  controls.setSliderPosition(kSlider, 1000);
  EXPECT_EQ(controls.sliderPosition(kSlider), 1000);
}

}  // namespace
}  // namespace kestrel
