#pragma once
// The network table's header with its sort column owner-drawn: the title and an arrow for
// the direction, drawn here so that it shows with either version of the common controls
// (version 5 draws nothing for the sort flags). The flags are kept on the item as well,
// which is where the direction can be read back.

#include <windows.h>

#include "ui/networks/network_sort.h"

namespace kestrel {

class SortHeader {
 public:
  // Takes the header's drawing requests, which go to the list view `table`.
  void attach(HWND table);
  void detach();
  // The arrow on `column`; every other item drawn by the header itself.
  void show(int column, SortDirection direction);

 private:
  static LRESULT CALLBACK TableProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
  void draw(const DRAWITEMSTRUCT& item);
  HWND header() const;

  HWND table_ = nullptr;
};

}  // namespace kestrel
