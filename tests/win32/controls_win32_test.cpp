// The UI controls over the real (Wine) APIs: picture decoding and playing, the chart
// window, and help text streamed into a rich edit control.
#include <ole2.h>
#include <richedit.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "controls/gif_walk.h"
#include "controls/help_text.h"
#include "fakes/test_thread.h"
#include "image_files.h"
#include "resource.h"
#include "win32/animated_picture.h"
#include "win32/help_pane.h"
#include "win32/line_chart.h"

namespace kestrel {
namespace {

using artwork::Canvas;
using artwork::GifFrame;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Keeps messages flowing (repaints, timers) while waiting for a condition.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > milliseconds)
      return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
  return true;
}

class ControlsWin32Test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KestrelControlsTestParent";
    RegisterClassW(&windowClass);
    ASSERT_TRUE(LoadRichEditLibrary());
  }

  void SetUp() override {
    // A message-only parent: the controls need no display, so the suite runs headless.
    parent = CreateWindowExW(0, L"KestrelControlsTestParent", L"controls", 0, 0, 0, 600, 400,
                             HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
  }
  void TearDown() override { DestroyWindow(parent); }

  static std::vector<std::uint8_t> ResourceBytes(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"GIF");
    if (found == nullptr)
      return {};
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
    return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(module, found));
  }

  static Canvas Filled(int width, int height, COLORREF colour) {
    return Canvas(width, height,
                  artwork::Rgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
  }

  HWND parent = nullptr;
};

// Every picture of the program is a single image: none starts a frame player.
TEST_F(ControlsWin32Test, EveryResourcePictureIsAStillAtItsScreenSize) {
  const int stills[] = {IDG_HEADER_INFORMATION,
                        IDG_HEADER_NETWORK,
                        IDG_SETTINGS_ACCESS_POINT,
                        IDG_SETTINGS_ADHOC,
                        IDG_SETTINGS_PADLOCK,
                        IDG_SETTINGS_KEY,
                        IDG_NETWORK_NONE,
                        IDG_NETWORK_INFRASTRUCTURE,
                        IDG_NETWORK_ADHOC,
                        IDG_LOCK_NONE,
                        IDG_LOCK_CLOSED,
                        IDG_LOCK_OPEN,
                        IDG_BAR_UNLIT,
                        IDG_BAR_LIT,
                        IDG_BAR_NONE};
  for (int id : stills) {
    const std::vector<std::uint8_t> bytes = ResourceBytes(id);
    const GifLayout layout = WalkGif(bytes.data(), bytes.size());
    AnimatedPicture picture;
    ASSERT_TRUE(picture.Create(parent, 100, 0, 0));
    ASSERT_TRUE(picture.LoadResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id))) << id;
    EXPECT_TRUE(picture.IsGif());
    EXPECT_FALSE(picture.IsAnimatedGif()) << id;
    EXPECT_EQ(picture.Size().cx, layout.width) << id;
    EXPECT_EQ(picture.Size().cy, layout.height) << id;
    EXPECT_TRUE(picture.Draw()) << id;
    EXPECT_FALSE(picture.IsPlaying());
    RECT window{};
    GetWindowRect(picture.window(), &window);
    EXPECT_EQ(window.right - window.left, layout.width) << "the control takes the picture size";
  }
}

TEST_F(ControlsWin32Test, PanelPicturesAreDrawnOnThePanelColour) {
  AnimatedPicture bar;
  ASSERT_TRUE(bar.LoadResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDG_BAR_LIT)));
  ASSERT_TRUE(bar.Draw());
  EXPECT_GT(GetGValue(bar.PixelAt(3, 7)), 150);  // lit bar: green
  AnimatedPicture lock;
  ASSERT_TRUE(lock.LoadResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDG_LOCK_CLOSED)));
  ASSERT_TRUE(lock.Draw());
  EXPECT_EQ(lock.PixelAt(0, 0), RGB(49, 0, 99));
}

TEST_F(ControlsWin32Test, IconsAndBitmapsLoadAtTheirSizes) {
  for (int id : {IDI_ADHOC, IDI_SIGNAL_MEDIUM, IDI_SIGNAL_STRONG, IDI_SIGNAL_WEAK, IDI_ACCESS_POINT,
                 IDI_APPLICATION_ICON}) {
    for (int side : {16, 32}) {
      HANDLE icon =
          LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, side, side, 0);
      ASSERT_NE(icon, nullptr) << id;
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
      BITMAP bitmap{};
      GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
      EXPECT_EQ(bitmap.bmWidth, side) << id;
      DeleteObject(info.hbmMask);
      DeleteObject(info.hbmColor);
      DestroyIcon(static_cast<HICON>(icon));
    }
  }
  const std::pair<int, int> bitmaps[] = {
      {IDB_PANEL_BACKGROUND, 30},    {IDB_GAUGE_LARGE_FULL, 184},  {IDB_GAUGE_LARGE_EMPTY, 184},
      {IDB_GAUGE_MEDIUM_EMPTY, 170}, {IDB_GAUGE_MEDIUM_FULL, 170}, {IDB_GAUGE_SMALL_EMPTY, 150},
      {IDB_GAUGE_SMALL_FULL, 150}};
  for (const auto& [id, height] : bitmaps) {
    HBITMAP handle = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
    ASSERT_NE(handle, nullptr) << id;
    BITMAP bitmap{};
    GetObjectW(handle, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmHeight, height) << id;
    DeleteObject(handle);
  }
}

TEST_F(ControlsWin32Test, AGifOfSeveralImagesPlaysItsFramesInALoop) {
  // A wide first frame, then a small one over its corner that the next loop paints over.
  const artwork::Bytes gif = artwork::EncodeGif(
      40, 20,
      {GifFrame{Filled(40, 20, kRed), 0, 0, 40, 1}, GifFrame{Filled(8, 8, kBlue), 30, 10, 40, 2}},
      true);
  AnimatedPicture picture;
  ASSERT_TRUE(picture.Create(parent, 101, 0, 0));
  ASSERT_TRUE(picture.LoadMemory(gif.data(), gif.size()));
  EXPECT_FALSE(picture.Draw());  // animations are started, not drawn
  ASSERT_TRUE(PumpUntil([&] { return picture.IsPlaying(); }, 2000));
  const auto cornerBlue = [&] { return picture.PixelAt(33, 13) == kBlue; };
  EXPECT_TRUE(PumpUntil(cornerBlue, 3000));
  EXPECT_TRUE(PumpUntil([&] { return !cornerBlue(); }, 3000)) << "the loop starts again";
  EXPECT_EQ(picture.PixelAt(2, 2), kRed) << "outside the small frame the first one stays";
  // Drawing again every 100 ms starts no second worker.
  for (int i = 0; i < 5; ++i)
    EXPECT_FALSE(picture.Draw());
  EXPECT_TRUE(picture.IsPlaying());
  const DWORD start = GetTickCount();
  picture.Stop();
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_FALSE(picture.IsPlaying());
}

TEST_F(ControlsWin32Test, StopReturnsAtOnceFromALongDelay) {
  const artwork::Bytes gif = artwork::EncodeGif(
      8, 8,
      {GifFrame{Filled(8, 8, kRed), 0, 0, 30000, 1}, GifFrame{Filled(8, 8, kBlue), 0, 0, 30000, 1}},
      true);
  AnimatedPicture picture;
  ASSERT_TRUE(picture.Create(parent, 102, 0, 0));
  ASSERT_TRUE(picture.LoadMemory(gif.data(), gif.size()));
  EXPECT_EQ(picture.FrameCount(), 2u);
  picture.Draw();
  ASSERT_TRUE(PumpUntil([&] { return picture.PixelAt(4, 4) == kRed; }, 2000));
  const DWORD start = GetTickCount();
  picture.Stop();
  const DWORD took = GetTickCount() - start;
  EXPECT_LT(took, 500u) << "Stop waited " << took << " ms";
  EXPECT_FALSE(picture.IsPlaying());
  picture.Unload();
  EXPECT_FALSE(picture.IsGif());
  EXPECT_EQ(picture.PixelAt(0, 0), CLR_INVALID);
  EXPECT_EQ(picture.BackgroundColor(), RGB(255, 255, 255));
}

TEST_F(ControlsWin32Test, AnOleThreadsPictureIsPlayedByAWorkerInItsOwnApartment) {
  // As in the program: the user-interface thread is OLE's, the worker decodes and draws its
  // own frames, and the picture plays, stops, and plays again.
  const artwork::Bytes gif = artwork::EncodeGif(
      8, 8,
      {GifFrame{Filled(8, 8, kRed), 0, 0, 5, 1}, GifFrame{Filled(8, 8, kBlue), 0, 0, 30000, 1}},
      true);
  struct Seen {
    bool oleStarted = false;
    bool red = false;
    bool blue = false;
    DWORD stopMs = 0;
    bool playingAfterStop = true;
    bool blueAgain = false;
  } seen;
  fakes::TestThread userInterface([&] {
    seen.oleStarted = SUCCEEDED(OleInitialize(nullptr));
    {
      AnimatedPicture picture;
      if (picture.LoadMemory(gif.data(), gif.size())) {
        picture.Draw();
        seen.red = PumpUntil([&] { return picture.PixelAt(4, 4) == kRed; }, 3000);
        seen.blue = PumpUntil([&] { return picture.PixelAt(4, 4) == kBlue; }, 3000);
        const DWORD start = GetTickCount();
        picture.Stop();
        seen.stopMs = GetTickCount() - start;
        seen.playingAfterStop = picture.IsPlaying();
        picture.SetBackgroundColor(RGB(0, 128, 0));
        picture.Draw();
        seen.blueAgain = PumpUntil([&] { return picture.PixelAt(4, 4) == kBlue; }, 3000);
        picture.Stop();
      }
    }
    OleUninitialize();
  });
  userInterface.join();
  EXPECT_TRUE(seen.oleStarted);
  EXPECT_TRUE(seen.red);
  EXPECT_TRUE(seen.blue);
  EXPECT_LT(seen.stopMs, 500u) << "Stop in a 300 s delay";
  EXPECT_FALSE(seen.playingAfterStop);
  EXPECT_TRUE(seen.blueAgain) << "a later Draw starts a new worker";
}

int startsRefused = 0;

// Refuses the first start of a worker, as a system out of threads would.
HANDLE RefuseTheFirstStart(LPTHREAD_START_ROUTINE routine, void* parameter) {
  if (startsRefused++ == 0)
    return nullptr;
  return AnimatedPicture::StartSuspendedThread(routine, parameter);
}

TEST_F(ControlsWin32Test, AWorkerThatCannotStartLeavesNoneBehindAndALaterDrawStartsOne) {
  const artwork::Bytes gif = artwork::EncodeGif(
      8, 8,
      {GifFrame{Filled(8, 8, kRed), 0, 0, 5, 1}, GifFrame{Filled(8, 8, kBlue), 0, 0, 30000, 1}},
      true);
  startsRefused = 0;
  AnimatedPicture picture(RefuseTheFirstStart);
  ASSERT_TRUE(picture.LoadMemory(gif.data(), gif.size()));
  picture.SetBackgroundColor(RGB(0, 128, 0));
  EXPECT_FALSE(picture.Draw());
  EXPECT_FALSE(picture.IsPlaying());
  Sleep(100);
  EXPECT_EQ(picture.PixelAt(4, 4), RGB(0, 128, 0)) << "nothing plays";
  picture.Draw();
  EXPECT_EQ(startsRefused, 2);
  EXPECT_TRUE(PumpUntil([&] { return picture.PixelAt(4, 4) == kBlue; }, 3000));
  picture.Stop();
  EXPECT_FALSE(picture.IsPlaying());
}

TEST_F(ControlsWin32Test, FramesLandAtTheirPlaceAndDisposalTwoRestoresTheBackground) {
  const artwork::Bytes gif = artwork::EncodeGif(
      8, 8,
      {GifFrame{Filled(8, 8, kRed), 0, 0, 5, 2}, GifFrame{Filled(4, 4, kBlue), 2, 3, 30000, 1}},
      true);
  AnimatedPicture picture;
  ASSERT_TRUE(picture.LoadMemory(gif.data(), gif.size()));
  picture.SetBackgroundColor(RGB(0, 128, 0));
  picture.Draw();
  ASSERT_TRUE(PumpUntil([&] { return picture.PixelAt(3, 4) == kBlue; }, 3000));
  EXPECT_EQ(picture.PixelAt(0, 0), RGB(0, 128, 0));  // the red frame was disposed
  EXPECT_EQ(picture.PixelAt(5, 6), kBlue);
  EXPECT_EQ(picture.PixelAt(6, 7), RGB(0, 128, 0));
  picture.Stop();
}

TEST_F(ControlsWin32Test, UnloadRightAfterDrawLeavesNoWorkerBehind) {
  const artwork::Bytes gif = artwork::EncodeGif(
      8, 8, {GifFrame{Filled(8, 8, kRed), 0, 0, 0, 3}, GifFrame{Filled(8, 8, kBlue), 0, 0, 0, 3}},
      true);
  for (int round = 0; round < 20; ++round) {
    AnimatedPicture picture;
    ASSERT_TRUE(picture.LoadMemory(gif.data(), gif.size()));
    picture.Draw();
    if (round % 2 == 0)
      Sleep(1);
    picture.Unload();
    EXPECT_FALSE(picture.IsPlaying());
  }
}

TEST_F(ControlsWin32Test, BitmapIsAStillPictureAtItsOwnSize) {
  Canvas image(5, 4, artwork::Rgb(0, 0, 255));
  const artwork::Bytes bmp = artwork::EncodeBmp(image);
  AnimatedPicture picture;
  ASSERT_TRUE(picture.LoadMemory(bmp.data(), bmp.size()));
  EXPECT_FALSE(picture.IsGif());
  EXPECT_EQ(picture.Size().cx, 5);
  EXPECT_EQ(picture.Size().cy, 4);
  EXPECT_TRUE(picture.Draw());
  EXPECT_EQ(picture.PixelAt(2, 2), kBlue);
}

TEST_F(ControlsWin32Test, UnusableDataIsRefusedAndLeavesTheControlUnloaded) {
  AnimatedPicture picture;
  const std::string garbage = "this is not a picture at all";
  EXPECT_FALSE(
      picture.LoadMemory(reinterpret_cast<const std::uint8_t*>(garbage.data()), garbage.size()));
  const std::uint8_t noImages[] = {'G', 'I', 'F', '8', '9', 'a', 4, 0, 4, 0, 0, 0, 0, 0x3B};
  EXPECT_FALSE(picture.LoadMemory(noImages, sizeof noImages));
  EXPECT_FALSE(picture.IsGif());
  EXPECT_FALSE(picture.Draw());
  EXPECT_FALSE(picture.LoadFile("C:\\no\\such\\picture.gif"));
  EXPECT_FALSE(picture.LoadResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(9999)));
}

TEST_F(ControlsWin32Test, ChartDrawsValuesAndScrollsOnItsTimer) {
  LineChart chart;
  ASSERT_TRUE(chart.Create(WS_VISIBLE, RECT{10, 10, 214, 114}, parent, 1000));
  RECT client{};
  GetClientRect(chart.window(), &client);
  ASSERT_EQ(client.right, 200);
  ASSERT_EQ(client.bottom, 100);
  EXPECT_EQ(chart.SetScrollInterval(0), 1000u);
  chart.SetRange(0, 300);
  chart.AppendValue(150);
  chart.Advance();
  EXPECT_EQ(chart.PixelAt(194, 50), RGB(0, 255, 0));
  EXPECT_EQ(chart.PixelAt(194, 60), RGB(0, 0, 0));
  EXPECT_EQ(chart.SetScrollInterval(20), 0u);
  // The timer's advances carry the flat line on to the left.
  EXPECT_TRUE(PumpUntil([&] { return chart.PixelAt(170, 50) == RGB(0, 255, 0); }, 3000));
  EXPECT_EQ(chart.SetScrollInterval(0), 20u);
}

class HelpPaneWin32Test : public ControlsWin32Test {
 protected:
  void SetUp() override {
    ControlsWin32Test::SetUp();
    edit = CreateWindowExW(0, L"RichEdit20W", L"", WS_CHILD | ES_MULTILINE | ES_READONLY, 0, 0, 300,
                           200, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    path = std::string(folder) + "kestrel_help_" + std::to_string(GetCurrentProcessId());
  }
  void TearDown() override {
    DeleteFileA(path.c_str());
    ControlsWin32Test::TearDown();
  }

  void write(const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }

  std::wstring text() const {
    std::wstring buffer(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    const int length = GetWindowTextW(edit, buffer.data(), static_cast<int>(buffer.size()));
    buffer.resize(static_cast<std::size_t>(length));
    return buffer;
  }

  HelpLoadResult load() {
    RichEditHelpPane pane(edit);
    Win32SharedReadFiles files;
    return LoadHelpText(pane, files, path);
  }

  HWND edit = nullptr;
  std::string path;
};

TEST_F(HelpPaneWin32Test, RtfWithUnicodeEscapesShowsJapanese) {
  write("{\\rtf1\\ansi{\\fonttbl{\\f0 MS UI Gothic;}}\\f0 \\u12504?\\u12523?\\u12503? help\\par}");
  ASSERT_EQ(load(), HelpLoadResult::Loaded);
  EXPECT_NE(text().find(L"\u30D8\u30EB\u30D7 help"), std::wstring::npos);  // ヘルプ help
}

TEST_F(HelpPaneWin32Test, PlainTextIsReadInTheJapaneseCodePage) {
  write(" {\\rtf1 \x83\x77\x83\x8B\x83\x76}");  // a blank first: shown as text (ヘルプ in CP932)
  ASSERT_EQ(load(), HelpLoadResult::Loaded);
  EXPECT_EQ(text(), L" {\\rtf1 \u30D8\u30EB\u30D7}");
  write("");
  ASSERT_EQ(load(), HelpLoadResult::Loaded);
  EXPECT_EQ(text(), L"");
}

TEST_F(HelpPaneWin32Test, LongFileStreamsInWhole) {
  std::string rtf = "{\\rtf1\\ansi ";
  for (int line = 0; line < 4000; ++line)
    rtf += "line " + std::to_string(line) + "\\par\n";
  rtf += "}";
  write(rtf);
  ASSERT_EQ(load(), HelpLoadResult::Loaded);
  EXPECT_NE(text().find(L"line 3999"), std::wstring::npos);
}

TEST_F(HelpPaneWin32Test, ProgramHelpFilesLieBesideTheExecutable) {
  const std::pair<const char*, const wchar_t*> pages[] = {
      {"settings.rtf", L"\u8A2D\u5B9A\u30DA\u30FC\u30B8"},    // 設定ページ
      {"networks.rtf", L"\u30B9\u30AD\u30E3\u30F3"},          // スキャン
      {"statistics.rtf", L"\u7D71\u8A08\u30DA\u30FC\u30B8"},  // 統計ページ
      {"about.rtf", L"\u60C5\u5831\u30DA\u30FC\u30B8"}};      // 情報ページ
  for (const auto& [file, heading] : pages) {
    ASSERT_EQ(ShowPageHelp(edit, file), HelpLoadResult::Loaded) << file;
    EXPECT_NE(text().find(heading), std::wstring::npos) << file;
  }
}

}  // namespace
}  // namespace kestrel
