#include "help_rtf.h"

#include <sstream>
#include <stdexcept>
#include <vector>

namespace kestrel::artwork {

namespace {

std::vector<char32_t> DecodeUtf8(const std::string& text) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : 3;
    char32_t code = extra == 0   ? lead
                    : extra == 1 ? (lead & 0x1Fu)
                    : extra == 2 ? (lead & 0x0Fu)
                                 : (lead & 0x07u);
    if (i + static_cast<std::size_t>(extra) >= text.size())
      throw std::runtime_error("help markup: truncated UTF-8");
    for (int k = 1; k <= extra; ++k)
      code =
          (code << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3Fu);
    out.push_back(code);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string Escape(const std::string& utf8) {
  std::ostringstream out;
  for (char32_t code : DecodeUtf8(utf8)) {
    if (code == '\\' || code == '{' || code == '}') {
      out << '\\' << static_cast<char>(code);
    } else if (code < 0x80) {
      out << static_cast<char>(code);
    } else if (code <= 0xFFFF) {
      // RTF takes a signed 16-bit number, then one fallback character.
      const int value = code > 0x7FFF ? static_cast<int>(code) - 0x10000 : static_cast<int>(code);
      out << "\\u" << value << '?';
    } else {
      throw std::runtime_error("help markup: character outside the BMP");
    }
  }
  return out.str();
}

}  // namespace

std::string HelpMarkupToRtf(const std::string& utf8Markup) {
  std::ostringstream rtf;
  rtf << "{\\rtf1\\ansi\\ansicpg932\\deff0\\uc1"
         "{\\fonttbl{\\f0\\fnil\\fcharset128 MS UI Gothic;}}"
         "{\\colortbl;\\red49\\green0\\blue99;}\n"
         "\\viewkind4\\pard\\f0\\fs18\n";
  std::istringstream lines(utf8Markup);
  std::string line;
  bool inParagraph = false;
  auto endParagraph = [&] {
    if (inParagraph)
      rtf << "\\par\n";
    inParagraph = false;
  };
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.empty()) {
      endParagraph();
      continue;
    }
    if (line.rfind("= ", 0) == 0) {
      endParagraph();
      rtf << "\\pard\\sb120\\sa60{\\b\\fs20\\cf1 " << Escape(line.substr(2)) << "}\\par\n";
      continue;
    }
    if (line.rfind("- ", 0) == 0) {
      endParagraph();
      rtf << "\\pard\\li240\\fi-240 " << Escape("\xE3\x83\xBB") << Escape(line.substr(2))
          << "\\par\n";
      continue;
    }
    if (!inParagraph)
      rtf << "\\pard ";
    else
      rtf << ' ';
    rtf << Escape(line);
    inParagraph = true;
  }
  endParagraph();
  rtf << "}\n";
  return rtf.str();
}

}  // namespace kestrel::artwork
