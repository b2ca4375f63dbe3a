#pragma once
// Text fields of a probe window, one line each, in one font made once: a field is painted
// again only when its text changes.

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace kestrel {

class ProbeFields {
 public:
  explicit ProbeFields(std::size_t count);
  ~ProbeFields();
  ProbeFields(const ProbeFields&) = delete;
  ProbeFields& operator=(const ProbeFields&) = delete;

  void attach(HWND window);
  // Field `index` shows `text`, a text in the system code page.
  void set(std::size_t index, const std::string& text);
  const std::string& text(std::size_t index) const { return fields_[index].text; }
  void paint(HDC dc, const RECT& area) const;

 private:
  struct Field {
    RECT rect{};
    std::string text;
    std::wstring shown;
  };
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  std::vector<Field> fields_;
};

}  // namespace kestrel
