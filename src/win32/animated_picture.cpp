#include "win32/animated_picture.h"

#include <commctrl.h>

#include <atomic>
#include <vector>

#include "controls/frame_player.h"
#include "controls/gif_walk.h"
#include "win32/critical_section.h"
#include "win32/picture_decoder.h"
#include "win32/scoped_handles.h"
#include "win32/window_subclass.h"

namespace kestrel {

namespace {
constexpr UINT_PTR kSubclassId = 0x4B50;  // "KP"
constexpr COLORREF kUnloadedBackground = RGB(255, 255, 255);
}  // namespace

// What the user-interface thread and a worker share: plain GDI objects and bytes, never a
// COM object, since those belong to the apartment of the thread that made them. The worker
// holds its own reference, so a worker that outlives a timed-out Stop and the following
// Unload still draws into live memory; `window` is cleared then, so it no longer asks for
// repaints.
struct AnimatedPicture::Picture {
  CriticalSection lock;  // the off-screen image, saved area, background and window
  HWND window = nullptr;
  OffscreenImage image;
  OffscreenImage saved;
  FramePlacement savedArea;
  COLORREF background = kUnloadedBackground;

  // Fixed once loaded.
  bool isGif = false;
  int width = 0;
  int height = 0;
  std::vector<std::vector<std::uint8_t>> frameGifs;  // each frame as a GIF of its own
  std::vector<FramePlacement> frames;

  std::size_t currentFrame = 0;  // the worker's
  std::atomic<int> workers{0};   // at most one worker ever draws this picture

  void fill(int left, int top, int right, int bottom) {
    HBRUSH brush = CreateSolidBrush(background);
    const RECT area{left, top, right, bottom};
    FillRect(image.dc(), &area, brush);
    DeleteObject(brush);
  }
};

// One playing worker's stop signal. Each Draw that starts a worker makes a new one, so a
// worker that did not end within Stop's wait can never be told to continue.
struct AnimatedPicture::Signal {
  UniqueHandle stopEvent{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<bool> exitRequested{false};
  std::atomic<bool> playing{false};
};

// The user-interface thread's hold on a worker: its handle has this one owner.
struct AnimatedPicture::Player {
  UniqueHandle thread;
  std::shared_ptr<Signal> signal;
};

namespace {

struct WorkerContext {
  std::shared_ptr<void> picture;  // keeps the picture alive while the worker runs
  std::shared_ptr<void> signal;
};

}  // namespace

AnimatedPicture::AnimatedPicture(ThreadStarter startThread) : startThread_(startThread) {}

HANDLE AnimatedPicture::StartSuspendedThread(LPTHREAD_START_ROUTINE routine, void* parameter) {
  return CreateThread(nullptr, 0, routine, parameter, CREATE_SUSPENDED, nullptr);
}

AnimatedPicture::~AnimatedPicture() {
  Unload();
  detachWindow();
}

bool AnimatedPicture::Attach(HWND control) {
  if (control == nullptr || window_ != nullptr)
    return false;
  if (!InstallSubclass(control, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  window_ = control;
  return true;
}

bool AnimatedPicture::Create(HWND parent, int id, int left, int top) {
  HWND control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, left, top, 1,
                                 1, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (control == nullptr)
    return false;
  if (!Attach(control)) {
    DestroyWindow(control);
    return false;
  }
  return true;
}

void AnimatedPicture::detachWindow() {
  if (window_ != nullptr)
    RemoveSubclass(window_, SubclassProc, kSubclassId);
  window_ = nullptr;
}

bool AnimatedPicture::LoadResource(HMODULE module, const wchar_t* name, const wchar_t* type) {
  HRSRC found = FindResourceW(module, name, type);
  if (found == nullptr) {
    Unload();
    return false;
  }
  HGLOBAL loaded = ::LoadResource(module, found);
  const DWORD size = SizeofResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) {
    Unload();
    return false;
  }
  return LoadMemory(static_cast<const std::uint8_t*>(bytes), size);
}

bool AnimatedPicture::LoadFile(const std::string& path) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
      size.QuadPart > 64 * 1024 * 1024) {
    Unload();
    return false;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size()) {
    Unload();
    return false;
  }
  return LoadMemory(bytes.data(), bytes.size());
}

bool AnimatedPicture::LoadMemory(const std::uint8_t* data, std::size_t size) {
  Unload();
  if (data == nullptr || size == 0)
    return false;
  auto picture = std::make_shared<Picture>();
  DecodedPicture still;
  FramePlacement stillArea;
  const GifLayout layout = WalkGif(data, size);
  picture->isGif = layout.isGif;
  if (!layout.isGif) {
    if (!still.decode(data, size))
      return false;
    const SIZE pixels = still.pixelSize();
    picture->width = pixels.cx;
    picture->height = pixels.cy;
    stillArea.width = pixels.cx;
    stillArea.height = pixels.cy;
  } else {
    picture->width = layout.width;
    picture->height = layout.height;
    stillArea.width = layout.width;
    stillArea.height = layout.height;
    if (layout.graphics.empty())
      return false;
    if (layout.graphics.size() == 1) {
      if (!still.decode(data, size))
        return false;
    } else {
      for (const GifGraphic& graphic : layout.graphics) {
        std::vector<std::uint8_t> frame = BuildFrameGif(data, size, layout, graphic);
        // Decoded here only to leave out a frame that will not decode; the worker decodes
        // its own copies.
        DecodedPicture decoded;
        if (frame.empty() || !decoded.decode(frame.data(), frame.size()))
          continue;
        const FramePlacement placement{graphic.left,   graphic.top,   graphic.width,
                                       graphic.height, graphic.delay, graphic.disposal};
        if (picture->frames.empty()) {
          // Drawn by Draw when it turns out to be the only frame that decodes.
          still = std::move(decoded);
          stillArea = placement;
        }
        picture->frameGifs.push_back(std::move(frame));
        picture->frames.push_back(placement);
      }
      if (picture->frames.empty())
        return false;
    }
  }
  if (picture->width <= 0 || picture->height <= 0)
    return false;

  if (window_ != nullptr) {
    SetWindowPos(window_, nullptr, 0, 0, picture->width, picture->height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  HDC reference = window_ != nullptr ? GetDC(window_) : nullptr;
  picture->image = CreateCompatibleImage(reference, picture->width, picture->height);
  if (reference != nullptr)
    ReleaseDC(window_, reference);
  if (!picture->image)
    return false;
  picture->background = GetSysColor(COLOR_BTNFACE);
  picture->fill(0, 0, picture->width, picture->height);
  picture->window = window_;
  picture_ = std::move(picture);
  still_ = std::move(still);
  stillArea_ = stillArea;
  return true;
}

bool AnimatedPicture::Draw() {
  if (!picture_)
    return false;
  if (IsAnimatedGif()) {
    if (picture_->workers > 0)
      return false;  // already playing, or a stopped worker has not yet left
    player_.reset();
    auto signal = std::make_shared<Signal>();
    if (!signal->stopEvent)
      return false;
    auto* context = new WorkerContext{picture_, signal};
    ++picture_->workers;
    UniqueHandle thread(startThread_(PlayerThread, context));
    if (!thread) {
      --picture_->workers;
      delete context;
      return false;
    }
    player_ = std::make_unique<Player>(Player{std::move(thread), signal});
    ResumeThread(player_->thread.get());
    return false;
  }
  bool drawn = false;
  {
    CriticalSectionGuard guard(picture_->lock);
    drawn = still_.render(picture_->image.dc(), stillArea_.left, stillArea_.top, stillArea_.width,
                          stillArea_.height);
  }
  if (drawn && window_ != nullptr)
    InvalidateRect(window_, nullptr, FALSE);
  return drawn;
}

namespace {

// The frame player's canvas over the shared picture and the worker's own decoded frames;
// every drawing step takes the lock.
template <typename Picture>
class WorkerCanvas : public FrameCanvas {
 public:
  WorkerCanvas(Picture& picture, const std::vector<DecodedPicture>& decoded, HANDLE stopEvent)
      : picture_(picture), decoded_(decoded), stopEvent_(stopEvent) {}

  bool renderFrame(std::size_t index) override {
    CriticalSectionGuard guard(picture_.lock);
    const FramePlacement& frame = picture_.frames[index];
    return decoded_[index].render(picture_.image.dc(), frame.left, frame.top, frame.width,
                                  frame.height);
  }
  void fillBackground(const FramePlacement& area) override {
    CriticalSectionGuard guard(picture_.lock);
    picture_.fill(area.left, area.top, area.left + area.width, area.top + area.height);
  }
  void fillAllBackground() override {
    CriticalSectionGuard guard(picture_.lock);
    picture_.fill(0, 0, picture_.width, picture_.height);
  }
  void saveArea(const FramePlacement& area) override {
    CriticalSectionGuard guard(picture_.lock);
    picture_.saved = CreateCompatibleImage(picture_.image.dc(), area.width, area.height);
    if (picture_.saved) {
      BitBlt(picture_.saved.dc(), 0, 0, area.width, area.height, picture_.image.dc(), area.left,
             area.top, SRCCOPY);
      picture_.savedArea = area;
    }
  }
  void restoreSavedArea() override {
    CriticalSectionGuard guard(picture_.lock);
    if (!picture_.saved)
      return;
    const FramePlacement& area = picture_.savedArea;
    BitBlt(picture_.image.dc(), area.left, area.top, area.width, area.height, picture_.saved.dc(),
           0, 0, SRCCOPY);
    picture_.saved.reset();
  }
  void requestRepaint() override {
    HWND window = nullptr;
    {
      CriticalSectionGuard guard(picture_.lock);
      window = picture_.window;
    }
    if (window != nullptr)
      InvalidateRect(window, nullptr, FALSE);
  }
  void waitForStop(unsigned milliseconds) override {
    WaitForSingleObject(stopEvent_, milliseconds);
  }

 private:
  Picture& picture_;
  const std::vector<DecodedPicture>& decoded_;
  HANDLE stopEvent_;
};

// COM on the worker for as long as it plays, ended on the same thread.
class WorkerApartment {
 public:
  WorkerApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~WorkerApartment() {
    if (SUCCEEDED(result_))
      CoUninitialize();
  }
  WorkerApartment(const WorkerApartment&) = delete;
  WorkerApartment& operator=(const WorkerApartment&) = delete;
  bool ready() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace

DWORD WINAPI AnimatedPicture::PlayerThread(void* parameter) {
  std::unique_ptr<WorkerContext> context(static_cast<WorkerContext*>(parameter));
  auto picture = std::static_pointer_cast<Picture>(context->picture);
  auto signal = std::static_pointer_cast<Signal>(context->signal);
  context.reset();
  {
    // The worker's pictures are made, drawn and released in its own apartment.
    const WorkerApartment apartment;
    if (apartment.ready()) {
      std::vector<DecodedPicture> decoded(picture->frameGifs.size());
      for (std::size_t i = 0; i < decoded.size(); ++i)
        decoded[i].decode(picture->frameGifs[i].data(), picture->frameGifs[i].size());
      signal->playing = true;
      WorkerCanvas<Picture> canvas(*picture, decoded, signal->stopEvent.get());
      PlayFrames(picture->frames, picture->currentFrame, canvas, signal->exitRequested);
      signal->playing = false;
    }
  }
  --picture->workers;
  return 0;
}

void AnimatedPicture::Stop() {
  if (!player_)
    return;
  player_->signal->playing = false;
  player_->signal->exitRequested = true;
  SetEvent(player_->signal->stopEvent.get());
  WaitForSingleObject(player_->thread.get(), kStopTimeoutMs);
  player_.reset();
}

void AnimatedPicture::Unload() {
  Stop();
  if (picture_) {
    CriticalSectionGuard guard(picture_->lock);
    picture_->window = nullptr;
  }
  picture_.reset();
  still_ = DecodedPicture();
}

void AnimatedPicture::SetBackgroundColor(COLORREF colour) {
  if (!picture_)
    return;
  CriticalSectionGuard guard(picture_->lock);
  picture_->background = colour;
  picture_->fill(0, 0, picture_->width, picture_->height);
}

void AnimatedPicture::SetPaintRectangle(const RECT& rect) {
  paintRectangle_ = rect;
}

bool AnimatedPicture::IsGif() const {
  return picture_ && picture_->isGif;
}

bool AnimatedPicture::IsAnimatedGif() const {
  return IsGif() && picture_->frames.size() > 1;
}

bool AnimatedPicture::IsPlaying() const {
  return player_ && player_->signal->playing;
}

std::size_t AnimatedPicture::FrameCount() const {
  return IsAnimatedGif() ? picture_->frames.size() : 0;
}

SIZE AnimatedPicture::Size() const {
  return picture_ ? SIZE{picture_->width, picture_->height} : SIZE{0, 0};
}

COLORREF AnimatedPicture::BackgroundColor() const {
  if (!picture_)
    return kUnloadedBackground;
  CriticalSectionGuard guard(picture_->lock);
  return picture_->background;
}

COLORREF AnimatedPicture::PixelAt(int x, int y) const {
  if (!picture_)
    return CLR_INVALID;
  CriticalSectionGuard guard(picture_->lock);
  return GetPixel(picture_->image.dc(), x, y);
}

bool AnimatedPicture::paint() {
  if (!picture_)
    return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  {
    CriticalSectionGuard guard(picture_->lock);
    const bool whole = IsRectEmpty(&paintRectangle_) != FALSE;
    const int left = whole ? 0 : paintRectangle_.left;
    const int top = whole ? 0 : paintRectangle_.top;
    const int width = whole ? picture_->width : paintRectangle_.right - paintRectangle_.left;
    const int height = whole ? picture_->height : paintRectangle_.bottom - paintRectangle_.top;
    BitBlt(dc, 0, 0, width, height, picture_->image.dc(), left, top, SRCCOPY);
  }
  EndPaint(window_, &paint);
  return true;
}

LRESULT CALLBACK AnimatedPicture::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  auto* control = reinterpret_cast<AnimatedPicture*>(self);
  switch (message) {
    case WM_PAINT:
      if (control->paint())
        return 0;
      break;
    case WM_ERASEBKGND:
      if (control->picture_)
        return 1;
      break;
    case WM_NCDESTROY:
      control->Unload();
      control->detachWindow();
      break;
    default:
      break;
  }
  return CallNextSubclass(window, message, wParam, lParam);
}

}  // namespace kestrel
