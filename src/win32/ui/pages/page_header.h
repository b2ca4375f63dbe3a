#pragma once
// The picture at the top of a page: a GIF resource drawn into a static control each time
// the page paints.

#include <windows.h>

#include "platform/os_kind.h"
#include "win32/animated_picture.h"

namespace kestrel {

class PageHeader {
 public:
  // Takes over control `id` of `page` and loads GIF resource `resource`.
  void attach(HWND page, int id, int resource, const SystemKind& system);
  // On XP the picture lies on the button-face colour, as the page around it.
  void draw();
  // Stops a playing header while its page is hidden; the page's next paint plays it on.
  void pause();
  void release();

 private:
  AnimatedPicture picture_;
  bool onButtonFace_ = false;
  bool loaded_ = false;
};

}  // namespace kestrel
