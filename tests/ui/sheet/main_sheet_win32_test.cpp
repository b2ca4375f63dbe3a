// The main sheet over the real property sheet (needs a display: runs under Xvfb). Each
// case opens the modal sheet and drives it from a thread timer, one step per tick.
#include "win32/ui/sheet/main_sheet.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "adapter/oids.h"
#include "core/core_objects.h"
#include "dialogs/sheet_ids.h"
#include "fakes/fake_ports.h"
#include "monitor/monitor_texts.h"
#include "stand_in_pages.h"
#include "ui/sheet/sheet_texts.h"
#include "win32/ansi_text.h"
#include "win32/help_pane.h"

namespace kestrel {
namespace {

std::vector<std::uint8_t> SsidAnswer(const std::string& ssid) {
  std::vector<std::uint8_t> answer(36, 0);
  answer[0] = static_cast<std::uint8_t>(ssid.size());
  std::copy(ssid.begin(), ssid.end(), answer.begin() + 4);
  return answer;
}

struct FakeServices : fakes::FakePorts, CoreObjects {
  FakeServices() : CoreObjects(ports()) {
    adapterPresent = true;
    startup.dot1xAvailable = true;
    setState(1);
    ndis.answerWord(oid::kVndChannelInfo, 2437 | (0x0400u << 16));
    ndis.answerWord(oid::k80211InfrastructureMode, 1);
    ndis.answers[oid::k80211Ssid] = SsidAnswer("KESTREL_WPA2");
    ndis.answers[oid::k80211Bssid] = {0x00, 0x14, 0x6C, 0x5E, 0x01, 0x04};
    ndis.answerWord(oid::kVndTxRate, 54);
    ndis.answerWord(oid::k80211WepStatus, 5);
    ndis.answers[oid::kVndLinkFlags] = std::vector<std::uint8_t>(12, 0);
    ndis.answerWord(oid::k80211Rssi, static_cast<std::uint32_t>(-60));
  }
  void setState(std::uint32_t code) { ndis.answerWord(oid::kVndConnectionState, code); }
};

// The steps of the running case, one per tick of a thread timer (they also run inside
// the nested loops of modal dialogs).
std::vector<std::function<void()>> steps;
std::size_t nextStep = 0;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
  if (nextStep < steps.size())
    steps[nextStep++]();
}

std::string Text(HWND window) {
  wchar_t buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  return CoreFromWide(buffer);
}

bool Visible(HWND window) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

class MainSheetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadRichEditLibrary(); }

  INT_PTR run(std::vector<std::function<void()>> caseSteps, bool fourPages = true,
              bool informationPage = false) {
    steps = std::move(caseSteps);
    // Whatever happened, the sheet ends after the steps.
    steps.push_back([] {
      if (OpenSheet() != nullptr)
        OpenSheet()->endWithCancel();
    });
    nextStep = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, RunStep);
    const INT_PTR result = sheet.run(nullptr, pages, fourPages, informationPage);
    KillTimer(nullptr, timer);
    return result;
  }
  HWND item(int id) const { return GetDlgItem(sheet.window(), id); }
  COLORREF colourOf(int id) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(sheet.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(item(id)));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
  }
  int selectedTab() {
    HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet.window(), PSM_GETTABCONTROL, 0, 0));
    return static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
  }
  // The prompt is the sheet's enabled owned popup while it runs.
  static HWND Prompt() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), KeepPrompt, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static BOOL CALLBACK KeepPrompt(HWND window, LPARAM result) {
    if (GetDlgItem(window, IDC_SAVE_CHANGES_TEXT) != nullptr) {
      *reinterpret_cast<HWND*>(result) = window;
      return FALSE;
    }
    return TRUE;
  }

  FakeServices fake;
  MainSheet sheet{fake.services, GetModuleHandleW(nullptr)};
  preview::StandInSettingsPage settings{sheet};
  preview::StandInNetworksPage networks;
  preview::StandInPage statistics{"statistics.rtf"};
  preview::StandInPage information{"about.rtf"};
  SheetPages pages{&settings, &networks, &statistics, &information};
};

TEST_F(MainSheetTest, OpensOnTheSettingsPageWithHelpHiddenAndItsButtons) {
  bool checked = false;
  const INT_PTR result = run({[&] {
    ASSERT_EQ(OpenSheet(), &sheet);
    EXPECT_TRUE(sheet.isOpen());
    EXPECT_EQ(Text(sheet.window()), "KESTREL Quick Beacon Wireless Utility");
    EXPECT_FALSE(Visible(item(IDOK)));
    EXPECT_FALSE(IsWindowEnabled(item(IDOK)));
    EXPECT_EQ(Text(item(IDCANCEL)), sheet_texts::kClose);
    EXPECT_EQ(Text(item(IDHELP)), sheet_texts::kHelp);
    EXPECT_TRUE(IsWindowEnabled(item(IDHELP)));
    EXPECT_TRUE(Visible(item(0x3021)));  // Apply
    EXPECT_TRUE(Visible(item(1077)));    // Cancel
    EXPECT_FALSE(Visible(item(1075)));   // Scan
    EXPECT_FALSE(Visible(item(1076)));   // Connect
    EXPECT_FALSE(IsWindowEnabled(item(1076)));
    EXPECT_EQ(Text(item(1077)), sheet_texts::kCancel);
    EXPECT_EQ(selectedTab(), 0);
    // The tab control ends 5 pixels below the top of the help frame it cut off.
    RECT tab{}, frame{};
    GetWindowRect(reinterpret_cast<HWND>(SendMessageW(sheet.window(), PSM_GETTABCONTROL, 0, 0)),
                  &tab);
    GetWindowRect(GetDlgItem(settings.hwnd(), 1125), &frame);
    EXPECT_EQ(tab.bottom, frame.top + 5);
    checked = true;
  }});
  EXPECT_TRUE(checked);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(OpenSheet(), nullptr);
  EXPECT_FALSE(sheet.isOpen());
}

TEST_F(MainSheetTest, EachPageSetsItsButtonsAndTheExtraButtonsReachTheirPages) {
  run({[&] { sheet.activatePage(1); },
       [&] {
         EXPECT_TRUE(Visible(item(1075)));
         EXPECT_TRUE(Visible(item(1076)));
         EXPECT_FALSE(Visible(item(0x3021)));
         EXPECT_FALSE(Visible(item(1077)));
         SendMessageW(item(1075), BM_CLICK, 0, 0);
         EXPECT_EQ(networks.scans, 1);
         sheet.activatePage(3);
       },
       [&] {
         EXPECT_FALSE(Visible(item(1075)));
         EXPECT_FALSE(Visible(item(1076)));
         EXPECT_FALSE(Visible(item(0x3021)));
         EXPECT_FALSE(Visible(item(1077)));
         EXPECT_TRUE(Visible(item(IDCANCEL)));
       }});
}

TEST_F(MainSheetTest, HelpTogglesTheTextAndTheSheetsHeight) {
  RECT closed{}, opened{};
  run({[&] {
         GetWindowRect(sheet.window(), &closed);
         SendMessageW(item(IDHELP), BM_CLICK, 0, 0);
       },
       [&] {
         GetWindowRect(sheet.window(), &opened);
         EXPECT_EQ(Text(item(IDHELP)), sheet_texts::kCloseHelp);
         SendMessageW(item(IDHELP), BM_CLICK, 0, 0);
       },
       [&] {
         RECT again{};
         GetWindowRect(sheet.window(), &again);
         EXPECT_EQ(again.bottom, closed.bottom);
         EXPECT_EQ(Text(item(IDHELP)), sheet_texts::kHelp);
       }});
  EXPECT_GT(opened.bottom - opened.top, closed.bottom - closed.top);
}

TEST_F(MainSheetTest, TwoPagesOpenOnTheInformationPageAtIndexOne) {
  run({[&] {
        EXPECT_EQ(selectedTab(), 1);
        EXPECT_EQ(settings.hwnd(), nullptr);
      }},
      false, true);
  EXPECT_GT(information.activations, 0);
}

TEST_F(MainSheetTest, StatusPanelShowsTheConnectedLink) {
  run({[&] {
    EXPECT_EQ(Text(item(1100)), " KESTREL_WPA2 (00:14:6C:5E:01:04)");
    EXPECT_EQ(colourOf(1100), RGB(255, 255, 255));
    EXPECT_EQ(Text(item(1102)), "Ch:  6(G)");
    EXPECT_EQ(colourOf(1102), RGB(214, 255, 41));
    EXPECT_EQ(Text(item(1103)), "54 Mbps");
    EXPECT_EQ(Text(item(1104)), monitor_texts::kSignalLabel);
    EXPECT_EQ(colourOf(1104), RGB(255, 255, 255));
    // Pictures sized to their GIFs: the network type 20 x 18, a bar 7 x 15.
    RECT type{}, bar{};
    GetClientRect(item(1114), &type);
    GetClientRect(item(1112), &bar);
    EXPECT_EQ(type.right, 20);
    EXPECT_EQ(type.bottom, 18);
    EXPECT_EQ(bar.right, 7);
    EXPECT_EQ(bar.bottom, 15);
  }});
}

TEST_F(MainSheetTest, StatusPanelFollowsScanningConnectingConnectedOnItsTimer) {
  fake.setState(0);
  run({[&] {
         EXPECT_EQ(Text(item(1100)), std::string(" ") + monitor_texts::kLinkScanning);
         EXPECT_EQ(colourOf(1100), RGB(255, 0, 0));
         EXPECT_EQ(Text(item(1103)), monitor_texts::kRateUnknown);
         EXPECT_EQ(colourOf(1104), RGB(255, 0, 0));
         fake.setState(3);
       },
       [] {},
       [&] {
         // The first tick that sees state 3 shows the progress text, then the SSID.
         const std::string shown = Text(item(1100));
         EXPECT_TRUE(shown == std::string(" ") + monitor_texts::kConnecting + " " ||
                     shown == " KESTREL_WPA2 (00:14:6C:5E:01:04)")
             << shown;
         EXPECT_EQ(colourOf(1100), RGB(255, 255, 255));
       },
       [] {}, [] {}, [&] { EXPECT_EQ(Text(item(1100)), " KESTREL_WPA2 (00:14:6C:5E:01:04)"); }});
}

TEST_F(MainSheetTest, FailedSaveKeepsTheSheetOpenAndDiscardingClosesIt) {
  settings.saveSucceeds = false;
  bool stillOpenAfterFailedSave = false;
  run({[&] { SetDlgItemTextW(settings.hwnd(), preview::kNameEditId, L"edited"); },
       [&] {
         ASSERT_TRUE(IsWindowEnabled(GetDlgItem(settings.hwnd(), preview::kSaveProfileId)));
         PostMessageW(item(IDCANCEL), BM_CLICK, 0, 0);
       },
       [&] {
         HWND prompt = Prompt();
         ASSERT_NE(prompt, nullptr);
         EXPECT_EQ(Text(GetDlgItem(prompt, IDOK)), "\x95\xDB\x91\xB6");  // "保存"
         PostMessageW(GetDlgItem(prompt, IDOK), BM_CLICK, 0, 0);
       },
       [&] {
         EXPECT_EQ(settings.saves, 1);
         stillOpenAfterFailedSave = sheet.isOpen() && Prompt() == nullptr;
         PostMessageW(item(IDCANCEL), BM_CLICK, 0, 0);
       },
       [&] {
         HWND prompt = Prompt();
         ASSERT_NE(prompt, nullptr);
         PostMessageW(GetDlgItem(prompt, IDCANCEL), BM_CLICK, 0, 0);
       },
       [] {}});
  EXPECT_TRUE(stillOpenAfterFailedSave);
  EXPECT_EQ(settings.discards, 1);
  EXPECT_EQ(settings.saves, 1);
  EXPECT_FALSE(sheet.isOpen());
}

TEST_F(MainSheetTest, SwitchingThePageSetRebuildsTheTabs) {
  run({[&] { sheet.switchPageSet(false); },
       [&] {
         HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet.window(), PSM_GETTABCONTROL, 0, 0));
         EXPECT_EQ(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 2);
         EXPECT_EQ(settings.hwnd(), nullptr);
         EXPECT_NE(statistics.hwnd(), nullptr);
         sheet.switchPageSet(true);
       },
       [&] {
         HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet.window(), PSM_GETTABCONTROL, 0, 0));
         EXPECT_EQ(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 4);
         EXPECT_EQ(selectedTab(), 0);
         EXPECT_NE(settings.hwnd(), nullptr);
         EXPECT_TRUE(Visible(item(0x3021)));
       }});
}

}  // namespace
}  // namespace kestrel
