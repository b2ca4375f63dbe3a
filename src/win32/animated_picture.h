#pragma once
// A static control that shows a picture from the program's resources, a file or memory.
// A GIF with several images is played by a worker thread; anything else is drawn once
// per Draw. Everything is drawn into an off-screen image that painting copies.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "controls/frame_player.h"
#include "win32/picture_decoder.h"

namespace kestrel {

class AnimatedPicture {
 public:
  static constexpr DWORD kStopTimeoutMs = 5000;
  // How a worker is started, suspended; null when it cannot be.
  using ThreadStarter = HANDLE (*)(LPTHREAD_START_ROUTINE routine, void* parameter);
  static HANDLE StartSuspendedThread(LPTHREAD_START_ROUTINE routine, void* parameter);

  explicit AnimatedPicture(ThreadStarter startThread = StartSuspendedThread);
  ~AnimatedPicture();
  AnimatedPicture(const AnimatedPicture&) = delete;
  AnimatedPicture& operator=(const AnimatedPicture&) = delete;

  // Takes over an existing static control (from a dialog template).
  bool Attach(HWND control);
  // Creates its own static control.
  bool Create(HWND parent, int id, int left, int top);
  HWND window() const { return window_; }

  bool LoadResource(HMODULE module, const wchar_t* name, const wchar_t* type = L"GIF");
  bool LoadFile(const std::string& path);
  bool LoadMemory(const std::uint8_t* data, std::size_t size);
  bool Draw();
  void Stop();
  void Unload();
  void SetBackgroundColor(COLORREF colour);
  void SetPaintRectangle(const RECT& rect);

  bool IsGif() const;
  bool IsAnimatedGif() const;
  bool IsPlaying() const;
  std::size_t FrameCount() const;
  SIZE Size() const;
  COLORREF BackgroundColor() const;
  // A pixel of the off-screen image; CLR_INVALID when nothing is loaded.
  COLORREF PixelAt(int x, int y) const;

 private:
  struct Picture;
  struct Signal;
  struct Player;
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  static DWORD WINAPI PlayerThread(void* parameter);
  bool paint();
  void detachWindow();

  ThreadStarter startThread_;
  HWND window_ = nullptr;
  std::shared_ptr<Picture> picture_;
  std::unique_ptr<Player> player_;
  // What Draw renders when nothing plays. A COM object, so it stays with this thread.
  DecodedPicture still_;
  FramePlacement stillArea_;
  RECT paintRectangle_ = {};
};

}  // namespace kestrel
