#include "win32/ui/pages/page_header.h"

namespace kestrel {

void PageHeader::attach(HWND page, int id, int resource, const SystemKind& system) {
  onButtonFace_ = system.os == OsKind::Xp;
  loaded_ = picture_.Attach(GetDlgItem(page, id)) &&
            picture_.LoadResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource));
}

void PageHeader::draw() {
  if (!loaded_)
    return;
  if (onButtonFace_ && !picture_.IsPlaying())
    picture_.SetBackgroundColor(GetSysColor(COLOR_BTNFACE));
  if (!picture_.IsPlaying())
    picture_.Draw();
}

void PageHeader::pause() {
  picture_.Stop();
}

void PageHeader::release() {
  picture_.Unload();
  loaded_ = false;
}

}  // namespace kestrel
