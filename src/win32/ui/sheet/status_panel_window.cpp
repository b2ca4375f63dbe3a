#include "win32/ui/sheet/status_panel_window.h"

#include "resource.h"
#include "win32/ansi_text.h"

namespace kestrel {

namespace {

COLORREF ColourRef(Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

DWORD TextStyle(CellKind kind) {
  const DWORD alignment = kind == CellKind::LeftText ? SS_LEFTNOWORDWRAP : SS_CENTER;
  return WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS |
         alignment;
}

HMENU ChildId(int id) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

}  // namespace

StatusPanelWindow::~StatusPanelWindow() {
  release();
}

void StatusPanelWindow::create(HWND sheet, HINSTANCE instance, const Rect& strip) {
  sheet_ = sheet;
  instance_ = instance;
  brush_.reset(CreateSolidBrush(ColourRef(kStatusPanelBackground)));
  backgroundBitmap_.reset(LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_PANEL_BACKGROUND)));
  font_.reset(CreateFontW(-kStatusFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          ANTIALIASED_QUALITY, DEFAULT_PITCH, L"MS UI Gothic"));

  background_ =
      CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW,
                      strip.left, strip.top, strip.width(), strip.height(), sheet,
                      ChildId(kStatusBackgroundId), instance, nullptr);
  std::size_t text = 0;
  for (const StatusCell& cell : LayOutStatusCells(strip)) {
    const Rect& r = cell.rect;
    if (cell.kind == CellKind::Picture) {
      PictureCell& picture = pictures_[static_cast<std::size_t>(cell.pictureIndex)];
      picture.controlId = cell.controlId;
      picture.place = POINT{r.left, r.top};
      continue;
    }
    TextCell& cellWindow = texts_[text++];
    cellWindow.controlId = cell.controlId;
    cellWindow.window =
        CreateWindowExW(0, L"STATIC", L"", TextStyle(cell.kind), r.left, r.top, r.width(),
                        r.height(), sheet, ChildId(cell.controlId), instance, nullptr);
    SendMessageW(cellWindow.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  // Beneath every cell, so that painting it never covers them.
  SetWindowPos(background_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void StatusPanelWindow::move(const Rect& strip) {
  if (sheet_ == nullptr)
    return;
  MoveWindow(background_, strip.left, strip.top, strip.width(), strip.height(), FALSE);
  for (const StatusCell& cell : LayOutStatusCells(strip)) {
    const Rect& r = cell.rect;
    if (cell.kind == CellKind::Picture) {
      PictureCell& picture = pictures_[static_cast<std::size_t>(cell.pictureIndex)];
      picture.place = POINT{r.left, r.top};
      for (const auto& loaded : picture.loaded) {
        SetWindowPos(loaded.second->window(), nullptr, r.left, r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
    } else if (const TextCell* text = textCell(cell.controlId)) {
      MoveWindow(text->window, r.left, r.top, r.width(), r.height(), FALSE);
    }
  }
  InvalidateRect(sheet_, nullptr, TRUE);
}

void StatusPanelWindow::release() {
  pictures_ = {};
  font_.reset();
  brush_.reset();
  backgroundBitmap_.reset();
  sheet_ = nullptr;
  background_ = nullptr;
  texts_ = {};
  shown_ = {};
}

bool StatusPanelWindow::colourFor(HWND control, HDC dc, LRESULT& brush) const {
  for (const TextCell& cell : texts_) {
    if (cell.window == nullptr || cell.window != control)
      continue;
    SetTextColor(dc, cell.colour);
    SetBkColor(dc, ColourRef(kStatusPanelBackground));
    brush = reinterpret_cast<LRESULT>(brush_.get());
    return true;
  }
  return false;
}

bool StatusPanelWindow::drawBackground(const DRAWITEMSTRUCT& item) const {
  if (item.hwndItem != background_ || background_ == nullptr)
    return false;
  const RECT& area = item.rcItem;
  BITMAP bitmap{};
  const UniqueMemoryDc source(CreateCompatibleDC(item.hDC));
  if (backgroundBitmap_ && source &&
      GetObjectW(backgroundBitmap_.get(), sizeof bitmap, &bitmap) != 0) {
    const ScopedSelection selected(source.get(), backgroundBitmap_.get());
    StretchBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top,
               source.get(), 0, 0, bitmap.bmWidth, bitmap.bmHeight, SRCCOPY);
  } else {
    FillRect(item.hDC, &area, static_cast<HBRUSH>(brush_.get()));
  }
  return true;
}

void StatusPanelWindow::setPicture(int index, int picture) {
  if (index < 0 || index >= kStatusPictureCount || sheet_ == nullptr)
    return;
  const auto slot = static_cast<std::size_t>(index);
  if (shown_[slot] == picture)
    return;
  PictureCell& cell = pictures_[slot];
  AnimatedPicture* next = pictureFor(cell, picture);
  if (cell.current != nullptr && cell.current != next)
    ShowWindow(cell.current->window(), SW_HIDE);
  if (next != nullptr && next != cell.current)
    ShowWindow(next->window(), SW_SHOWNA);
  cell.current = next;
  shown_[slot] = picture;
}

// The cell's control for `picture`, made and loaded the first time the cell shows it.
AnimatedPicture* StatusPanelWindow::pictureFor(PictureCell& cell, int picture) {
  for (const auto& loaded : cell.loaded) {
    if (loaded.first == picture)
      return loaded.second.get();
  }
  auto control = std::make_unique<AnimatedPicture>();
  if (!control->Create(sheet_, cell.controlId, cell.place.x, cell.place.y))
    return nullptr;
  HWND window = control->window();
  ShowWindow(window, SW_HIDE);
  SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_CLIPSIBLINGS);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (control->LoadResource(instance_, MAKEINTRESOURCEW(picture)))
    control->SetBackgroundColor(ColourRef(kStatusPanelBackground));
  cell.stale = true;
  cell.loaded.emplace_back(picture, std::move(control));
  return cell.loaded.back().second.get();
}

void StatusPanelWindow::setText(int controlId, const std::string& text, Rgb colour) {
  TextCell* cell = textCell(controlId);
  if (cell == nullptr || cell->window == nullptr)
    return;
  const COLORREF wanted = ColourRef(colour);
  if (text != cell->text) {
    SetWindowTextW(cell->window, WideFromCore(text).c_str());
    cell->text = text;
  }
  if (wanted != cell->colour) {
    cell->colour = wanted;
    InvalidateRect(cell->window, nullptr, TRUE);
  }
}

// A newly loaded picture is drawn once; a playing one ignores Draw, and one whose play has
// ended starts again, as before.
void StatusPanelWindow::redrawPictures() {
  for (PictureCell& cell : pictures_) {
    if (cell.current != nullptr && (cell.stale || cell.current->IsAnimatedGif()))
      cell.current->Draw();
    cell.stale = false;
  }
}

COLORREF StatusPanelWindow::textColour(int controlId) const {
  const TextCell* cell = textCell(controlId);
  return cell != nullptr ? cell->colour : CLR_INVALID;
}

StatusPanelWindow::TextCell* StatusPanelWindow::textCell(int controlId) {
  for (TextCell& cell : texts_) {
    if (cell.controlId == controlId)
      return &cell;
  }
  return nullptr;
}

const StatusPanelWindow::TextCell* StatusPanelWindow::textCell(int controlId) const {
  for (const TextCell& cell : texts_) {
    if (cell.controlId == controlId)
      return &cell;
  }
  return nullptr;
}

}  // namespace kestrel
