// The settings page's window: template 130 in a real property sheet, messages decoded for
// the page, the page's own changes kept from coming back as the user's, the key hook.
#include "win32/ui/settings/settings_page_view.h"

#include <gtest/gtest.h>

#include "dialogs/settings_ids.h"
#include "settings_fixture.h"

namespace kestrel::testing {
namespace {

class SettingsViewTest : public SettingsPageTest {
 protected:
  ~SettingsViewTest() override {
    if (sheetWindow != nullptr)
      DestroyWindow(sheetWindow);
  }

  void openSheet() {
    PROPSHEETPAGEW record = view.sheetPage();
    HPROPSHEETPAGE pages[] = {CreatePropertySheetPageW(&record)};
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS;
    header.hInstance = GetModuleHandleW(nullptr);
    header.pszCaption = L"settings";
    header.nPages = 1;
    header.phpage = pages;
    sheetWindow = reinterpret_cast<HWND>(PropertySheetW(&header));
    ASSERT_NE(sheetWindow, nullptr);
    pageWindow = reinterpret_cast<HWND>(SendMessageW(sheetWindow, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(pageWindow, nullptr);
    pump();
  }
  void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!SendMessageW(sheetWindow, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&message))) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }
  HWND item(int id) { return GetDlgItem(pageWindow, id); }
  std::wstring textOf(int id) {
    wchar_t buffer[128] = {};
    GetDlgItemTextW(pageWindow, id, buffer, 128);
    return buffer;
  }
  void clickItem(int id) {
    SendMessageW(pageWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(item(id)));
  }
  bool isChecked(int id) { return IsDlgButtonChecked(pageWindow, id) == BST_CHECKED; }

  SettingsPageView view{services, sheet, dialogs, GetModuleHandleW(nullptr)};
  HWND sheetWindow = nullptr;
  HWND pageWindow = nullptr;
};

TEST_F(SettingsViewTest, TheTemplateHoldsEveryControlWithItsCaption) {
  openSheet();
  for (int id : {1097, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1092,
                 1093, 1113, 1044, 1045, 1047, 1037, 1038, 1040, 1041, 1042,
                 1046, 1082, 1090, 1125, 1070, 1071, 1136, 1145, IDOK, IDCANCEL})
    EXPECT_NE(item(id), nullptr) << id;
  EXPECT_EQ(textOf(1028), L"プロファイルを保存");
  EXPECT_EQ(textOf(1032), L"アクセス・ポイント（インフラストラクチャ）");
  EXPECT_EQ(textOf(1033), L"コンピュータ間（Ad Hoc）");
  EXPECT_EQ(textOf(1034), L"Ad Hoc の初期化");
  EXPECT_EQ(textOf(1093), L"&WEP");
  EXPECT_EQ(textOf(1044), L"パスフレーズで作成：");
  EXPECT_EQ(textOf(1125), L"ヘルプ");
  // Created hidden: advanced security, AutoCell, the template's own OK and Cancel.
  for (int id : {1046, 1082, IDOK, IDCANCEL})
    EXPECT_FALSE(IsWindowVisible(item(id))) << id;
  // The pictures took their 32-pixel images.
  RECT picture{};
  GetWindowRect(item(IDC_SETTINGS_PICTURE_PADLOCK), &picture);
  EXPECT_EQ(picture.right - picture.left, 32);
  EXPECT_EQ(picture.bottom - picture.top, 32);
}

TEST_F(SettingsViewTest, AStoredWpaPassphraseIsInTheEditBehindStars) {
  openSheet();
  EXPECT_EQ(SendMessageW(item(IDC_SETTINGS_PASSPHRASE), EM_GETPASSWORDCHAR, 0, 0), L'*');
  EXPECT_EQ(textOf(IDC_SETTINGS_PASSPHRASE), L"MARLOWE-DUSKY-V");
  EXPECT_FALSE(IsWindowEnabled(item(IDC_SETTINGS_SAVE_PROFILE)));
}

TEST_F(SettingsViewTest, ThePagesOwnChangesDoNotComeBackAsTyping) {
  WirelessProfile wep = WepProfile("0123456789", 5);
  wep.SharedKey[1] = "9876543210";
  wep.SharedKeyLength[1] = 5;
  storeVirtualProfile(wep);
  openSheet();
  SendMessageW(item(IDC_SETTINGS_KEY_NUMBER), CB_SETCURSEL, 1, 0);
  SendMessageW(pageWindow, WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_KEY_NUMBER, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(item(IDC_SETTINGS_KEY_NUMBER)));
  // Shown by the page, the mask is not run through the hex filter as typing would be.
  EXPECT_EQ(textOf(IDC_SETTINGS_KEY), L"**********");

  SetDlgItemTextW(pageWindow, IDC_SETTINGS_KEY, L"12G4");  // as the user types
  EXPECT_EQ(textOf(IDC_SETTINGS_KEY), L"124");
  EXPECT_TRUE(IsWindowEnabled(item(IDC_SETTINGS_SAVE_PROFILE)));
}

TEST_F(SettingsViewTest, AltFReachesThePageBeforeTheDialogManager) {
  openSheet();
  clickItem(IDC_SETTINGS_ADHOC);
  ASSERT_TRUE(isChecked(IDC_SETTINGS_ADHOC));
  SetFocus(item(IDC_SETTINGS_ADVANCED));
  PostMessageW(item(IDC_SETTINGS_ADVANCED), WM_SYSKEYDOWN, 'F', 1 << 29);
  pump();
  EXPECT_TRUE(isChecked(IDC_SETTINGS_INFRASTRUCTURE));
  EXPECT_FALSE(isChecked(IDC_SETTINGS_ADHOC));
}

TEST_F(SettingsViewTest, TypingIntoTheMaskedPassphraseStartsANewOneInClear) {
  openSheet();
  HWND edit = item(IDC_SETTINGS_PASSPHRASE);
  SetFocus(edit);
  PostMessageW(edit, WM_KEYDOWN, 'N', 1);
  pump();
  EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
  EXPECT_EQ(textOf(IDC_SETTINGS_PASSPHRASE), L"n");
}

TEST_F(SettingsViewTest, ApplyFromTheSheetActivatesOrKeepsThePage) {
  openSheet();
  clickItem(IDC_SETTINGS_SECURITY_WPA_PSK);
  SetDlgItemTextW(pageWindow, IDC_SETTINGS_PASSPHRASE, L"short");
  SendMessageW(sheetWindow, PSM_APPLY, 0, 0);
  pump();
  EXPECT_EQ(prompt.notices.size(), 1u);
  EXPECT_TRUE(sheet.popupsAtWrite.empty());

  SetDlgItemTextW(pageWindow, IDC_SETTINGS_PASSPHRASE, L"long enough");
  SendMessageW(sheetWindow, PSM_APPLY, 0, 0);
  pump();
  EXPECT_EQ(sheet.popupsAtWrite.size(), 1u);
  EXPECT_EQ(records.current.Passphrase, "long enough");
}

}  // namespace
}  // namespace kestrel::testing
