// The modal dialogs over their real templates under the real dialog manager: the advanced
// settings (143) and ad hoc (142) dialogs, the save-changes prompt (178) and the
// zero-configuration prompt (179). The dialog runs on the test's thread, as it would on the
// program's; a second thread plays the user, sending what a click or a key would.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialog_fixture.h"
#include "dialogs/dialogs_ids.h"
#include "dialogs/sheet_ids.h"
#include "fakes/test_thread.h"
#include "ui/dialogs/ad_hoc_channels.h"
#include "win32/app/zero_config_prompt_dialog.h"
#include "win32/ui/dialogs/ad_hoc_view.h"
#include "win32/ui/dialogs/advanced_settings_view.h"
#include "win32/ui/sheet/small_dialogs.h"
#include "win32/win32_user_prompt.h"

namespace kestrel {
namespace {

constexpr DWORD kWaitMs = 10000;

struct DialogSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK KeepOwnedDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) == L"#32770" && IsWindowVisible(window) &&
      GetWindow(window, GW_OWNER) == search->owner) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A visible dialog-class window of `thread` owned by `owner`; null when none came in time.
HWND WaitForDialog(DWORD thread, HWND owner) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kWaitMs) {
    DialogSearch search{owner, nullptr};
    EnumThreadWindows(thread, KeepOwnedDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr)
      return search.found;
    Sleep(20);
  }
  return nullptr;
}

// Closes any other dialog-class window of `thread`, so that a failed check cannot leave the
// test waiting on a message box nobody answers.
BOOL CALLBACK CloseUnlessExcepted(HWND window, LPARAM except) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) == L"#32770" && window != reinterpret_cast<HWND>(except))
    PostMessageW(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

void CloseOtherDialogs(DWORD thread, HWND except) {
  EnumThreadWindows(thread, CloseUnlessExcepted, reinterpret_cast<LPARAM>(except));
}

std::wstring TextOf(HWND window) {
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  return text;
}

// Runs `user` on a second thread while `modal` runs here; the user's thread ends first.
template <typename Modal>
auto WithUser(const std::function<void(DWORD uiThread)>& user, Modal modal) {
  fakes::TestThread player([&user, uiThread = GetCurrentThreadId()] { user(uiThread); });
  auto result = modal();
  player.join();
  return result;
}

void CloseWithCloseBox(HWND dialog) {
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void CloseWithEscape(HWND dialog) {
  PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(dialog, WM_KEYUP, VK_ESCAPE, 0);
}

class DialogsWin32Test : public ::testing::Test, protected fakes::DialogFixture {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }
  DialogsWin32Test() {
    setCountry("US");
    working.NetBand = 0x1F;
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
};

TEST_F(DialogsWin32Test, AdvancedDialogStaysOpenAfterARefusedOkAndItsSlidersShowTheirValues) {
  const WirelessProfile before = working;
  struct Seen {
    bool dialog = false;
    HWND boxOwner = nullptr;
    HWND dialogWindow = nullptr;
    bool openAfterRefusal = false;
    std::wstring fragValue;
    std::wstring rtsValue;
  } seen;
  Win32UserPrompt unownedPrompt;  // what the dialog must not use for its own message
  DialogServices dialogServices{adapter, parameters, system, unownedPrompt};
  AdvancedSettingsView view(dialogServices, working, SettingsPageChoices{false, false});

  const auto effect = WithUser(
      [&](DWORD uiThread) {
        HWND dialog = WaitForDialog(uiThread, nullptr);
        seen.dialog = dialog != nullptr;
        if (dialog == nullptr)
          return;
        seen.dialogWindow = dialog;
        for (int box : {IDC_ADV_MODE_11A, IDC_ADV_MODE_11A_TURBO, IDC_ADV_MODE_11B,
                        IDC_ADV_MODE_11G, IDC_ADV_MODE_11G_TURBO}) {
          SendDlgItemMessageW(dialog, box, BM_SETCHECK, BST_UNCHECKED, 0);
        }
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        // "少なくとも1つのモードを選択してください。", owned by the dialog.
        HWND box = WaitForDialog(uiThread, dialog);
        if (box != nullptr) {
          seen.boxOwner = GetWindow(box, GW_OWNER);
          PostMessageW(box, WM_COMMAND, IDOK, 0);
          const DWORD start = GetTickCount();
          while (IsWindow(box) && GetTickCount() - start < kWaitMs)
            Sleep(20);
        } else {
          Sleep(500);
          CloseOtherDialogs(uiThread, dialog);
          Sleep(500);
        }
        seen.openAfterRefusal = IsWindow(dialog) && IsWindowVisible(dialog);

        for (const auto& [slider, position] :
             {std::pair{IDC_ADV_FRAG_SLIDER, 600}, std::pair{IDC_ADV_RTS_SLIDER, 1000}}) {
          HWND control = GetDlgItem(dialog, slider);
          SendMessageW(control, TBM_SETPOS, TRUE, position);
          SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                       reinterpret_cast<LPARAM>(control));
        }
        seen.fragValue = TextOf(GetDlgItem(dialog, IDC_ADV_FRAG_VALUE));
        seen.rtsValue = TextOf(GetDlgItem(dialog, IDC_ADV_RTS_VALUE));
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      },
      [&] { return view.run(instance, nullptr); });

  ASSERT_TRUE(seen.dialog);
  EXPECT_EQ(seen.boxOwner, seen.dialogWindow) << "the message box is the dialog's";
  EXPECT_TRUE(seen.openAfterRefusal);
  EXPECT_EQ(seen.fragValue, L"1200");
  EXPECT_EQ(seen.rtsValue, L"2000");
  EXPECT_FALSE(effect.has_value()) << "cancelled";
  EXPECT_EQ(working.NetBand, before.NetBand);
  EXPECT_EQ(working.FragThreshold, before.FragThreshold);
}

// A modal dialog that, once up, tells the user something through the application's prompt,
// which has no owner of its own.
class TellingDialog : public DialogView {
 public:
  INT_PTR run(HINSTANCE instance) { return runModal(instance, IDD_SAVE_CHANGES, nullptr); }

 private:
  static constexpr UINT kTell = WM_APP + 1;
  BOOL onInitDialog() override {
    PostMessageW(hwnd(), kTell, 0, 0);
    return TRUE;
  }
  INT_PTR onMessage(UINT message, WPARAM, LPARAM, bool& handled) override {
    handled = message == kTell;
    if (handled) {
      // As when the user has just clicked in it: shown and active.
      ShowWindow(hwnd(), SW_SHOW);
      SetActiveWindow(hwnd());
      Win32UserPrompt().inform("told");
      EndDialog(hwnd(), IDOK);
    }
    return 0;
  }
};

TEST_F(DialogsWin32Test, TheApplicationsPromptIsOwnedByTheDialogInFront) {
  TellingDialog dialog;
  HWND boxOwner = nullptr;
  HWND dialogWindow = nullptr;
  WithUser(
      [&](DWORD uiThread) {
        dialogWindow = WaitForDialog(uiThread, nullptr);
        HWND box = dialogWindow != nullptr ? WaitForDialog(uiThread, dialogWindow) : nullptr;
        if (box != nullptr) {
          boxOwner = GetWindow(box, GW_OWNER);
          PostMessageW(box, WM_COMMAND, IDOK, 0);
        } else {
          Sleep(500);
          CloseOtherDialogs(uiThread, nullptr);  // the box, whoever owns it
        }
      },
      [&] { return dialog.run(instance); });
  ASSERT_NE(dialogWindow, nullptr);
  EXPECT_EQ(boxOwner, dialogWindow);
}

TEST_F(DialogsWin32Test, AdHocDialogRefillsChannelsForTheBandAndKeepsTheChoiceOnOk) {
  working.NetworkConnectionType = 2;
  working.AdHocBand = kAdHocBand24Ghz;
  AdHocView view(services(), working, current);
  struct Seen {
    bool dialog = false;
    LRESULT bands = 0;
    LRESULT channelsAt5Ghz = 0;
    LRESULT channelsAt24Ghz = 0;
  } seen;

  const bool ok = WithUser(
      [&](DWORD uiThread) {
        HWND dialog = WaitForDialog(uiThread, nullptr);
        seen.dialog = dialog != nullptr;
        if (dialog == nullptr)
          return;
        HWND band = GetDlgItem(dialog, IDC_ADHOC_BAND);
        HWND channel = GetDlgItem(dialog, IDC_ADHOC_CHANNEL);
        const auto choose = [&](int index) {
          SendMessageW(band, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
          SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ADHOC_BAND, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(band));
        };
        seen.bands = SendMessageW(band, CB_GETCOUNT, 0, 0);
        choose(0);  // 5 GHz: the channel is chosen automatically
        seen.channelsAt5Ghz = SendMessageW(channel, CB_GETCOUNT, 0, 0);
        choose(1);  // 2.4 GHz: automatic and channels 1 to 11
        seen.channelsAt24Ghz = SendMessageW(channel, CB_GETCOUNT, 0, 0);
        SendMessageW(channel, CB_SETCURSEL, 6, 0);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      },
      [&] { return view.run(instance, nullptr); });

  ASSERT_TRUE(seen.dialog);
  EXPECT_EQ(seen.bands, 2);
  EXPECT_EQ(seen.channelsAt5Ghz, 1);
  EXPECT_EQ(seen.channelsAt24Ghz, 12);
  EXPECT_TRUE(ok);
  EXPECT_EQ(working.AdHocBand, kAdHocBand24Ghz);
  EXPECT_EQ(working.AdHocChannel, 2437);
}

TEST_F(DialogsWin32Test, SaveChangesPromptDiscardsOnTheCloseBoxAndEscape) {
  for (const auto& close : {CloseWithCloseBox, CloseWithEscape}) {
    SaveChangesDialog question(instance, nullptr);
    const SaveChangesAnswer answer = WithUser(
        [&](DWORD uiThread) {
          if (HWND dialog = WaitForDialog(uiThread, nullptr))
            close(dialog);
        },
        [&] { return question.ask(); });
    EXPECT_EQ(answer, SaveChangesAnswer::Discard);
  }
  SaveChangesDialog question(instance, nullptr);
  const SaveChangesAnswer answer = WithUser(
      [&](DWORD uiThread) {
        if (HWND dialog = WaitForDialog(uiThread, nullptr))
          PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      },
      [&] { return question.ask(); });
  EXPECT_EQ(answer, SaveChangesAnswer::Save);
}

// An owner that has no window: the prompt is then a top-level window of its own.
class NoWindow : public DialogView {};

TEST_F(DialogsWin32Test, ZeroConfigurationPromptCountsTheCloseBoxAndEscapeAsNo) {
  NoWindow owner;
  for (const auto& close : {CloseWithCloseBox, CloseWithEscape}) {
    ZeroConfigPromptDialog question(instance, owner);
    const bool yes = WithUser(
        [&](DWORD uiThread) {
          if (HWND dialog = WaitForDialog(uiThread, nullptr))
            close(dialog);
        },
        [&] { return question.askToDisableService(); });
    EXPECT_FALSE(yes);
  }
  ZeroConfigPromptDialog question(instance, owner);
  const bool yes = WithUser(
      [&](DWORD uiThread) {
        if (HWND dialog = WaitForDialog(uiThread, nullptr))
          PostMessageW(dialog, WM_COMMAND, IDYES, 0);
      },
      [&] { return question.askToDisableService(); });
  EXPECT_TRUE(yes);
}

}  // namespace
}  // namespace kestrel
