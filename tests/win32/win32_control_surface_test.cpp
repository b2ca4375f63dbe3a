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
