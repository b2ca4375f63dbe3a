#include "shell/tray_icon_record.h"

namespace kestrel {

namespace {

constexpr std::size_t kInfoMaxBytes = 255;

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace

std::string CutCp932(const std::string& text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width =
        IsCp932LeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
    if (end + width > maxBytes)
      break;
    end += width;
  }
  return text.substr(0, end);
}

void TrayIconRecord::setNotificationWnd(bool hasOwner, std::uint32_t callbackMessage) {
  if (hasOwner != hasOwner_ || callbackMessage != callbackMessage_)
    ownerShown_ = false;
  hasOwner_ = hasOwner;
  callbackMessage_ = callbackMessage;
}

bool TrayIconRecord::unchanged(const void* icon, const std::string* tip,
                               const std::string* info) const {
  if (icon == nullptr || icon != current_ || !ownerShown_ || info != nullptr)
    return false;
  return tip == nullptr || CutCp932(*tip, kTrayTipMaxBytes) == tip_;
}

std::optional<NotifyCall> TrayIconRecord::prepare(const void* icon, const std::string* tip,
                                                  const std::string* info) {
  if (unchanged(icon, tip, info))
    return std::nullopt;
  NotifyCall call;
  if (icon != nullptr) {
    call.action = current_ == nullptr ? NotifyAction::Add : NotifyAction::Modify;
    current_ = icon;
    call.iconFlag = true;
  } else {
    if (current_ == nullptr)
      return std::nullopt;
    call.action = NotifyAction::Delete;
  }
  if (tip != nullptr) {
    tip_ = CutCp932(*tip, kTrayTipMaxBytes);
    call.tipFlag = !tip_.empty();
  }
  call.tip = tip_;
  if (info != nullptr)
    call.info = CutCp932(*info, kInfoMaxBytes);
  // A balloon needs a title, which this system never gives: the flag stays clear.
  call.messageFlag = callbackMessage_ != 0 && hasOwner_;
  return call;
}

void TrayIconRecord::finished(const NotifyCall& call, bool succeeded) {
  if (call.action == NotifyAction::Delete || !succeeded)
    current_ = nullptr;
  ownerShown_ = current_ != nullptr;
}

}  // namespace kestrel
