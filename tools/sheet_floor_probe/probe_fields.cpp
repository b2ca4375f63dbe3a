#include "probe_fields.h"

#include "win32/ansi_text.h"

namespace kestrel {

namespace {
constexpr int kLeft = 10;
constexpr int kTop = 200;
constexpr int kLineHeight = 16;
constexpr int kWidth = 400;
}  // namespace

ProbeFields::ProbeFields(std::size_t count) : fields_(count) {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const int top = kTop + static_cast<int>(i) * kLineHeight;
    fields_[i].rect = RECT{kLeft, top, kLeft + kWidth, top + kLineHeight};
  }
}

ProbeFields::~ProbeFields() {
  if (font_ != nullptr)
    DeleteObject(font_);
}

void ProbeFields::attach(HWND window) {
  window_ = window;
  font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                      L"MS UI Gothic");
}

void ProbeFields::set(std::size_t index, const std::string& text) {
  Field& field = fields_[index];
  if (field.text == text)
    return;
  field.text = text;
  field.shown = WideFromCore(text);
  if (window_ != nullptr)
    InvalidateRect(window_, &field.rect, TRUE);
}

void ProbeFields::paint(HDC dc, const RECT& area) const {
  HGDIOBJ previous = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  for (const Field& field : fields_) {
    RECT overlap{};
    if (IntersectRect(&overlap, &field.rect, &area))
      TextOutW(dc, field.rect.left, field.rect.top, field.shown.c_str(),
               static_cast<int>(field.shown.size()));
  }
  SelectObject(dc, previous);
}

}  // namespace kestrel
