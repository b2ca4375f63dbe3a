#pragma once
// The status panel's windows on the sheet: the background picture, four text cells and
// ten pictures, kept in their cells as the strip moves.

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/sheet/sheet_geometry.h"
#include "ui/sheet/status_panel_updater.h"
#include "win32/animated_picture.h"
#include "win32/scoped_handles.h"

namespace kestrel {

class StatusPanelWindow : public StatusPanelView {
 public:
  StatusPanelWindow() = default;
  ~StatusPanelWindow() override;
  StatusPanelWindow(const StatusPanelWindow&) = delete;
  StatusPanelWindow& operator=(const StatusPanelWindow&) = delete;

  // Creates the controls as children of `sheet` over `strip`.
  void create(HWND sheet, HINSTANCE instance, const Rect& strip);
  void move(const Rect& strip);
  // Frees what the controls drew with; the controls go with the sheet.
  void release();

  // The sheet's colour and owner-draw messages for the panel's controls; false when the
  // control is not the panel's.
  bool colourFor(HWND control, HDC dc, LRESULT& brush) const;
  bool drawBackground(const DRAWITEMSTRUCT& item) const;

  // StatusPanelView
  void setPicture(int index, int picture) override;
  void setText(int controlId, const std::string& text, Rgb colour) override;
  void redrawPictures() override;

  // What the panel shows, as a test reads it.
  int pictureShown(int index) const { return shown_[static_cast<std::size_t>(index)]; }
  COLORREF textColour(int controlId) const;

 private:
  struct TextCell {
    int controlId = 0;
    HWND window = nullptr;
    COLORREF colour = RGB(255, 255, 255);
    std::string text;  // as the core gave it, so that a steady tick neither converts nor reads
  };
  TextCell* textCell(int controlId);
  const TextCell* textCell(int controlId) const;

  HWND sheet_ = nullptr;
  HINSTANCE instance_ = nullptr;
  HWND background_ = nullptr;
  UniqueGdiObject backgroundBitmap_;
  UniqueGdiObject font_;
  UniqueGdiObject brush_;
  // A cell keeps one control per picture it has shown, so that a picture coming back (a
  // signal bar lit again) is shown, not decoded again; only the current one is visible.
  struct PictureCell {
    int controlId = 0;
    POINT place{};
    std::vector<std::pair<int, std::unique_ptr<AnimatedPicture>>> loaded;
    AnimatedPicture* current = nullptr;
    bool stale = false;  // loaded since the last redraw: to be drawn
  };
  AnimatedPicture* pictureFor(PictureCell& cell, int picture);

  std::array<TextCell, 4> texts_{};
  std::array<PictureCell, kStatusPictureCount> pictures_{};
  std::array<int, kStatusPictureCount> shown_{};
};

}  // namespace kestrel
