// The networks, statistics and information views in the real main sheet (needs a
// display: runs under Xvfb), over the fake adapter: each page's help file and header
// picture, its Alt keys through the page hook, the statistics gauge, and the networks
// table's sort arrow read back from the header. Each case opens the modal sheet and drives
// it from a thread timer, one step per tick.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "adapter/oid_conversions.h"
#include "dialogs/pages_ids.h"
#include "monitor/network_list_builder.h"
#include "resource.h"
#include "ui/information/identity_texts.h"
#include "ui/networks/sort_arrow.h"
#include "ui/page_fixture.h"
#include "ui/statistics/statistics_page.h"
#include "utility_version.h"
#include "win32/animated_picture.h"
#include "win32/ansi_text.h"
#include "win32/help_pane.h"
#include "win32/ui/information/information_view.h"
#include "win32/ui/networks/networks_view.h"
#include "win32/ui/settings/settings_page_view.h"
#include "win32/ui/sheet/main_sheet.h"
#include "win32/ui/statistics/statistics_view.h"

namespace kestrel {
namespace {

using testing::NetworkListBytes;
using testing::NetworkRecord;

constexpr int kNetworksPage = 1;
constexpr int kStatisticsPage = 2;
constexpr int kInformationPage = 3;
constexpr UINT kScanTimer = 4616;

class NoDialogs : public SettingsDialogs {
 public:
  std::optional<NetworkTypeEffect> openAdvancedSettings(bool, bool) override {
    return std::nullopt;
  }
  bool openAdHocSettings() override { return false; }
};

// The steps of the running case, one per tick of a thread timer.
std::vector<std::function<void()>> steps;
std::size_t nextStep = 0;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
  if (nextStep < steps.size())
    steps[nextStep++]();
}

// System key messages a control received, counted by letter.
std::vector<WPARAM> keysSeen;

LRESULT CALLBACK CountKeys(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  if (message == WM_SYSKEYDOWN)
    keysSeen.push_back(w);
  return DefSubclassProc(window, message, w, l);
}

std::wstring TextOf(HWND window) {
  wchar_t buffer[512] = {};
  GetWindowTextW(window, buffer, 512);
  return buffer;
}

RECT RectIn(HWND page, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

COLORREF BitmapPixel(int resource, int x, int y) {
  HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return colour;
}

class PagesInSheetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadRichEditLibrary(); }

  PagesInSheetTest() {
    fake.putParameter("DriverDesc", "KESTREL LX740N QX-7+ Wireless PC Card");
    fake.ndis.answerWord(oid::kVndCountryCode, PackCountryCode("JP"));
    fake.ndis.answerWord(oid::kVndPreambleGet, 1);
    fake.ndis.answerWord(oid::k80211WepStatus, 1);
    fake.ndis.answerWord(oid::kVndChannelInfo, 2437);  // band B: full scale 6 Mbit/s
    fake.ndis.answers[oid::kGenMediaConnectStatus] = std::vector<std::uint8_t>(10, 0);
    fake.ndis.answerWord(oid::kGenXmitOk, 1000);
    fake.ndis.answerWord(oid::kGenRcvOk, 2000);
    setTransmittedKilobits(300 * 1024);
    const std::vector<NetworkRecord> heard = {
        NetworkRecord().ssid("KESTREL_Corp").channel(2437, 0x0400).rssi(-70),
        NetworkRecord().ssid("KESTREL_11g").channel(2412, 0x0400).rssi(-52),
        NetworkRecord().ssid("KESTREL_XR").channel(2462, 0x0400).rssi(-87)};
    fake.ndis.answers[oid::kVndBssList] =
        NetworkListBytes(static_cast<std::uint32_t>(heard.size()), heard, oid::kBssListSize);
  }
  ~PagesInSheetTest() override { keysSeen.clear(); }

  void setTransmittedKilobits(std::uint64_t kilobits) {
    std::vector<std::uint8_t> block(168, 0);
    const std::uint64_t bytes = kilobits * 128;
    for (int i = 0; i < 8; ++i)
      block[32 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bytes >> (8 * i));
    fake.ndis.answers[oid::kVndStatistics] = block;
  }

  void run(std::vector<std::function<void()>> caseSteps) {
    steps = std::move(caseSteps);
    steps.push_back([] {
      if (OpenSheet() != nullptr)
        OpenSheet()->endWithCancel();
    });
    nextStep = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, RunStep);
    sheet.run(nullptr, pages, true, false);
    KillTimer(nullptr, timer);
    EXPECT_EQ(nextStep, steps.size()) << "the sheet closed before every step ran";
  }

  // The page's help pane holds its own help file, whose first line names the page.
  static void expectHelp(HWND page, int richEdit, const std::wstring& heading) {
    const std::wstring text = TextOf(GetDlgItem(page, richEdit));
    EXPECT_EQ(text.substr(0, heading.size()), heading) << "help of " << heading.size();
  }

  // The header control took the GIF's size and shows a picture, not the bare page.
  static void expectHeaderPicture(HWND page, int control, int gif) {
    AnimatedPicture reference;
    ASSERT_TRUE(reference.LoadResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(gif)));
    const SIZE size = reference.Size();
    HWND header = GetDlgItem(page, control);
    const RECT shown = RectIn(page, header);
    EXPECT_EQ(shown.right - shown.left, size.cx) << gif;
    EXPECT_EQ(shown.bottom - shown.top, size.cy) << gif;
    UpdateWindow(header);
    int drawn = 0;
    int sampled = 0;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = 2; y < size.cy; y += 4) {
      for (int x = 2; x < size.cx; x += 8) {
        ++sampled;
        if (ScreenPixel(header, x, y) != face)
          ++drawn;
      }
    }
    EXPECT_GT(drawn * 2, sampled) << "header picture " << gif << " is not drawn";
  }

  // Alt+letter posted to `target`: swallowed ones never reach it, the others do.
  static void postAltKeys(HWND target, const std::string& letters) {
    SetWindowSubclass(target, CountKeys, 1, 0);
    keysSeen.clear();
    for (const char letter : letters)
      PostMessageW(target, WM_SYSKEYDOWN, static_cast<WPARAM>(letter), 1 | (1 << 29));
  }
  static void expectKeysReached(HWND target, const std::vector<WPARAM>& reached) {
    RemoveWindowSubclass(target, CountKeys, 1);
    EXPECT_EQ(keysSeen, reached);
  }

  testing::PageServices fake;
  MainSheet sheet{fake.services, GetModuleHandleW(nullptr)};
  NoDialogs dialogs;
  SettingsPageView settings{fake.services, sheet, dialogs, GetModuleHandleW(nullptr)};
  NetworksView networks{fake.services, sheet, settings.link()};
  StatisticsView statistics{fake.services, sheet};
  InformationView information{fake.services, sheet};
  SheetPages pages{&settings, &networks, &statistics, &information};
};

// --- Networks -------------------------------------------------------------------------

class NetworksInSheet : public PagesInSheetTest {
 protected:
  HWND table() const { return GetDlgItem(networks.hwnd(), IDC_NETWORK_TABLE); }
  HWND header() const { return reinterpret_cast<HWND>(SendMessageW(table(), LVM_GETHEADER, 0, 0)); }
  int format(int column) const {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    SendMessageW(header(), HDM_GETITEMW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
    return item.fmt;
  }
  std::wstring firstRowName() const {
    wchar_t name[64] = {};
    LVITEMW item{};
    item.pszText = name;
    item.cchTextMax = 64;
    SendMessageW(table(), LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    return name;
  }
  // A user's click on the middle of the column's header item.
  void clickHeader(int column) {
    RECT item{};
    SendMessageW(header(), HDM_GETITEMRECT, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(header(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header(), WM_LBUTTONUP, 0, at);
  }
  // The scan cycle driven through its timer messages instead of waiting five seconds.
  void scan() {
    SendMessageW(networks.hwnd(), WM_COMMAND, MAKEWPARAM(kSheetScanButtonId, BN_CLICKED), 0);
    for (int tick = 0; tick < 110; ++tick)
      SendMessageW(networks.hwnd(), WM_TIMER, kScanTimer, 0);
  }
};

TEST_F(NetworksInSheet, HelpHeaderPictureAndAltKeys) {
  run({[&] { sheet.activatePage(kNetworksPage); },
       [&] {
         HWND page = networks.hwnd();
         ASSERT_NE(page, nullptr);
         expectHelp(page, IDC_NETWORKS_HELP, L"ネットワーク・ページ");
         expectHeaderPicture(page, IDC_NETWORKS_HEADER, IDG_HEADER_NETWORK);
         SetFocus(table());
         postAltKeys(table(), "ALNS");
       },
       [&] {
         expectKeysReached(table(), {'N', 'S'});
       }});
}

TEST_F(NetworksInSheet, TwoClicksOnAHeaderSortDescendingWithTheArrowDrawnDown) {
  run({[&] { sheet.activatePage(kNetworksPage); },
       [&] {
         scan();
         ASSERT_EQ(SendMessageW(table(), LVM_GETITEMCOUNT, 0, 0), 3);
         for (int column = 0; column < kNetworkColumnCount; ++column)
           EXPECT_EQ(format(column) & (HDF_SORTUP | HDF_SORTDOWN | HDF_OWNERDRAW), 0) << column;

         clickHeader(0);
         EXPECT_EQ(format(0) & (HDF_SORTUP | HDF_SORTDOWN | HDF_OWNERDRAW),
                   HDF_SORTUP | HDF_OWNERDRAW);
         EXPECT_EQ(firstRowName(), L"KESTREL_11g");

         clickHeader(0);
         EXPECT_EQ(format(0) & (HDF_SORTUP | HDF_SORTDOWN | HDF_OWNERDRAW),
                   HDF_SORTDOWN | HDF_OWNERDRAW);
         EXPECT_EQ(firstRowName(), L"KESTREL_XR");
         for (int column = 1; column < kNetworkColumnCount; ++column)
           EXPECT_EQ(format(column) & (HDF_SORTUP | HDF_SORTDOWN | HDF_OWNERDRAW), 0) << column;

         // The arrow is drawn by the page, pointing down: its base is the top row.
         UpdateWindow(header());
         RECT item{};
         SendMessageW(header(), HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
         const SortHeaderLayout layout = LayOutSortHeader(
             {item.left, item.top, item.right, item.bottom}, SortDirection::Descending);
         ASSERT_TRUE(layout.arrow);
         const COLORREF arrow = GetSysColor(COLOR_BTNSHADOW);
         const ArrowPoint baseLeft = layout.triangle[1];
         const ArrowPoint tip = layout.triangle[0];
         EXPECT_EQ(ScreenPixel(header(), baseLeft.x + 1, baseLeft.y), arrow);
         EXPECT_EQ(ScreenPixel(header(), tip.x, tip.y), arrow);
         EXPECT_NE(ScreenPixel(header(), baseLeft.x + 1, tip.y), arrow);
       }});
}

// --- Statistics -----------------------------------------------------------------------

TEST_F(PagesInSheetTest, StatisticsHelpHeaderPictureAltKeysAndGauge) {
  run({[&] { sheet.activatePage(kStatisticsPage); },
       [&] {
         HWND page = statistics.hwnd();
         ASSERT_NE(page, nullptr);
         expectHelp(page, IDC_STATISTICS_HELP, L"統計ページ");
         expectHeaderPicture(page, IDC_STATISTICS_HEADER, IDG_HEADER_NETWORK);
         HWND radio = GetDlgItem(page, kTransmitRadioId);
         SetFocus(radio);
         postAltKeys(radio, "ALNSQ");
       },
       [&] {
         expectKeysReached(GetDlgItem(statistics.hwnd(), kTransmitRadioId), {'Q'});

         // Placed 16 pixels left of its area's centre, at its top, the bitmaps' size.
         HWND page = statistics.hwnd();
         HWND gauge = GetDlgItem(page, kGaugeId);
         const RECT area = RectIn(page, GetDlgItem(page, kGaugeAreaId));
         const RECT placed = RectIn(page, gauge);
         const GaugeBitmaps pair = GaugeBitmapsForHeight(area.bottom - area.top);
         BITMAP size{};
         HBITMAP empty = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(pair.empty));
         GetObjectW(empty, sizeof size, &size);
         DeleteObject(empty);
         EXPECT_EQ(placed.left, (area.left + area.right) / 2 - 16);
         EXPECT_EQ(placed.top, area.top);
         EXPECT_EQ(placed.right - placed.left, size.bmWidth);
         EXPECT_EQ(placed.bottom - placed.top, size.bmHeight);

         // The percentage: green on black.
         HDC dc = CreateCompatibleDC(nullptr);
         SendMessageW(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                      reinterpret_cast<LPARAM>(GetDlgItem(page, kPercentTextId)));
         EXPECT_EQ(GetTextColor(dc), RGB(0, 255, 0));
         EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
         DeleteDC(dc);

         // 3 Mbit in a second on band B: 50 %, the full bitmap over the lower half only.
         SendMessageW(page, WM_TIMER, kStatisticsTimerId, 0);
         setTransmittedKilobits(303 * 1024);
         fake.ndis.answerWord(oid::kGenXmitOk, 1400);
         SendMessageW(page, WM_TIMER, kStatisticsTimerId, 0);
         EXPECT_EQ(TextOf(GetDlgItem(page, kPercentTextId)), L"50 %");
         UpdateWindow(gauge);
         const int x = size.bmWidth / 2;
         const int low = size.bmHeight - 3;
         const int high = 2;
         ASSERT_NE(BitmapPixel(pair.empty, x, low), BitmapPixel(pair.full, x, low));
         ASSERT_NE(BitmapPixel(pair.empty, x, high), BitmapPixel(pair.full, x, high));
         EXPECT_EQ(ScreenPixel(gauge, x, low), BitmapPixel(pair.full, x, low));
         EXPECT_EQ(ScreenPixel(gauge, x, high), BitmapPixel(pair.empty, x, high));
       }});
}

// --- Information ----------------------------------------------------------------------

TEST_F(PagesInSheetTest, InformationHelpHeaderPictureAltKeysAndTheReleaseDate) {
  run({[&] { sheet.activatePage(kInformationPage); },
       [&] {
         HWND page = information.hwnd();
         ASSERT_NE(page, nullptr);
         expectHelp(page, IDC_INFORMATION_HELP, L"情報ページ");
         expectHeaderPicture(page, IDC_INFORMATION_HEADER, IDG_HEADER_INFORMATION);
         // The release's date, fixed with its version, not the day of the build.
         EXPECT_EQ(TextOf(GetDlgItem(page, IDC_UTILITY_DATE)),
                   WideFromCore(UtilityDateText(kUtilityReleaseDate)));
         EXPECT_EQ(TextOf(GetDlgItem(page, IDC_REGION)), L" 日本");
         HWND region = GetDlgItem(page, IDC_REGION);
         SetFocus(region);
         postAltKeys(region, "ALNSQ");
       },
       [&] { expectKeysReached(GetDlgItem(information.hwnd(), IDC_REGION), {'Q'}); }});
}

}  // namespace
}  // namespace kestrel
