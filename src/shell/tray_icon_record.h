#pragma once
// The rules of the notification-area icon: which action a change needs, which fields it
// carries, and what is remembered afterwards. The Win32 `CTrayIcon` carries them out.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kestrel {

// The tip field holds 128 units; the text keeps room for its terminating zero.
inline constexpr std::size_t kTrayTipMaxBytes = 127;

enum class NotifyAction { Add, Modify, Delete };

struct NotifyCall {
  NotifyAction action = NotifyAction::Add;
  bool iconFlag = false;
  bool tipFlag = false;
  bool messageFlag = false;
  std::string tip;   // CP932, at most kTrayTipMaxBytes
  std::string info;  // the balloon text, CP932, at most 255 bytes
};

// `text` cut to at most `maxBytes` without splitting a CP932 double-byte character.
std::string CutCp932(const std::string& text, std::size_t maxBytes);

class TrayIconRecord {
 public:
  void setNotificationWnd(bool hasOwner, std::uint32_t callbackMessage);
  // `icon` is an opaque handle (null: remove the icon); `tip` null keeps the shown tip.
  // Nothing to do (nullopt) when asked to remove an icon that is not shown, or to show
  // the icon and tip already shown without a balloon: the shell keeps what it was given.
  std::optional<NotifyCall> prepare(const void* icon, const std::string* tip,
                                    const std::string* info);
  // After the shell's answer: a delete, or a failed call, forgets the icon.
  void finished(const NotifyCall& call, bool succeeded);
  // The taskbar was recreated: the shell has forgotten every icon.
  void forget() { current_ = nullptr; }
  const void* currentIcon() const { return current_; }
  std::uint32_t callbackMessage() const { return callbackMessage_; }
  const std::string& tip() const { return tip_; }

 private:
  bool unchanged(const void* icon, const std::string* tip, const std::string* info) const;

  bool hasOwner_ = false;
  std::uint32_t callbackMessage_ = 0;
  const void* current_ = nullptr;
  bool ownerShown_ = false;  // the shown icon carries the current owner and callback
  std::string tip_;
};

}  // namespace kestrel
