#pragma once
// Owners for Win32 handles: each handle is closed exactly once, by its one owner.

#include <unknwn.h>
#include <windows.h>

#include <utility>

namespace kestrel {

template <typename Handle, typename Traits>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(Handle handle) : handle_(handle) {}
  ~UniqueResource() { reset(); }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other)
      reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return Traits::valid(handle_); }
  Handle release() { return std::exchange(handle_, Traits::none()); }
  void reset(Handle handle = Traits::none()) {
    if (Traits::valid(handle_))
      Traits::close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::none();
};

struct KernelHandleTraits {
  static HANDLE none() { return nullptr; }
  static bool valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
  static void close(HANDLE handle) { CloseHandle(handle); }
};
using UniqueHandle = UniqueResource<HANDLE, KernelHandleTraits>;

// A handle that is null when there is none, closed by one function.
template <typename Handle, auto Close>
struct NullHandleTraits {
  static Handle none() { return nullptr; }
  static bool valid(Handle handle) { return handle != nullptr; }
  static void close(Handle handle) { Close(handle); }
};
using UniqueMemoryDc = UniqueResource<HDC, NullHandleTraits<HDC, DeleteDC>>;
using UniqueGdiObject = UniqueResource<HGDIOBJ, NullHandleTraits<HGDIOBJ, DeleteObject>>;
using UniqueIcon = UniqueResource<HICON, NullHandleTraits<HICON, DestroyIcon>>;
using UniqueHook = UniqueResource<HHOOK, NullHandleTraits<HHOOK, UnhookWindowsHookEx>>;

// A window's display context from GetDC, released to that window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr)
      ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a DC for one scope; the previous one is selected back.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelection() {
    if (previous_ != nullptr)
      SelectObject(dc_, previous_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A memory drawing surface with one bitmap selected into it; the bitmap is deselected
// before either is deleted.
class OffscreenImage {
 public:
  OffscreenImage() = default;
  OffscreenImage(UniqueMemoryDc dc, UniqueGdiObject bitmap)
      : dc_(std::move(dc)), bitmap_(std::move(bitmap)) {
    if (dc_ && bitmap_)
      previous_ = SelectObject(dc_.get(), bitmap_.get());
  }
  ~OffscreenImage() { reset(); }
  OffscreenImage(const OffscreenImage&) = delete;
  OffscreenImage& operator=(const OffscreenImage&) = delete;
  OffscreenImage(OffscreenImage&& other) noexcept { *this = std::move(other); }
  OffscreenImage& operator=(OffscreenImage&& other) noexcept {
    if (this != &other) {
      reset();
      dc_ = std::move(other.dc_);
      bitmap_ = std::move(other.bitmap_);
      previous_ = std::exchange(other.previous_, nullptr);
    }
    return *this;
  }

  HDC dc() const { return dc_.get(); }
  explicit operator bool() const { return dc_ && bitmap_; }
  void reset() {
    if (dc_ && previous_ != nullptr)
      SelectObject(dc_.get(), previous_);
    previous_ = nullptr;
    bitmap_.reset();
    dc_.reset();
  }

 private:
  UniqueMemoryDc dc_;
  UniqueGdiObject bitmap_;
  HGDIOBJ previous_ = nullptr;
};

// A surface compatible with `reference` (the screen when null) holding a bitmap of the size.
inline OffscreenImage CreateCompatibleImage(HDC reference, int width, int height) {
  UniqueMemoryDc dc(CreateCompatibleDC(reference));
  UniqueGdiObject bitmap;
  if (reference != nullptr) {
    bitmap.reset(CreateCompatibleBitmap(reference, width, height));
  } else {
    const WindowDc screen(nullptr);
    bitmap.reset(CreateCompatibleBitmap(screen.get(), width, height));
  }
  if (!dc || !bitmap)
    return {};
  return OffscreenImage(std::move(dc), std::move(bitmap));
}

// Holds one reference of a COM interface.
template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  explicit ComRef(Interface* object) : object_(object) {}
  ~ComRef() { reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }

  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  Interface** put() {
    reset();
    return &object_;
  }
  void reset() {
    if (object_ != nullptr)
      object_->Release();
    object_ = nullptr;
  }

 private:
  Interface* object_ = nullptr;
};

}  // namespace kestrel
