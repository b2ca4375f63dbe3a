#pragma once

#include "shell/zero_config_check.h"
#include "win32/dialog_view.h"

namespace kestrel {

// The once-asked question (template 179): "はい" or "いいえ"; closing it is "いいえ".
class ZeroConfigPromptDialog : public DialogView, public ZeroConfigPrompt {
 public:
  ZeroConfigPromptDialog(HINSTANCE instance, const DialogView& owner)
      : instance_(instance), owner_(owner) {}
  bool askToDisableService() override;

 private:
  BOOL onInitDialog() override;
  void onCommand(int id, std::optional<ControlEvent> event) override;

  HINSTANCE instance_;
  const DialogView& owner_;
};

}  // namespace kestrel
