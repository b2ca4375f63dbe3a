#include "ui/networks/network_sort.h"

#include <cstdint>

#include "platform/text_collation.h"

namespace kestrel {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool AllDigits(const std::string& text) {
  for (const char c : text) {
    if (!IsDigit(c))
      return false;
  }
  return true;
}

bool IsDate(const std::string& text) {
  if (text.size() != 10)
    return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool slot = i == 2 || i == 5;
    if (slot ? text[i] != '/' : !IsDigit(text[i]))
      return false;
  }
  return true;
}

// A base-10 integer read as far as it goes (blanks and a sign first), saturating.
std::int64_t LeadingInteger(const std::string& text, std::size_t from = 0,
                            std::size_t count = std::string::npos) {
  if (from >= text.size())
    return 0;
  const std::string part = text.substr(from, count);
  std::size_t at = 0;
  while (at < part.size() && (part[at] == ' ' || part[at] == '\t'))
    ++at;
  bool negative = false;
  if (at < part.size() && (part[at] == '-' || part[at] == '+'))
    negative = part[at++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t kCeiling = INT64_MAX / 10 - 9;
  for (; at < part.size() && IsDigit(part[at]); ++at) {
    if (value > kCeiling)
      break;
    value = value * 10 + (part[at] - '0');
  }
  return negative ? -value : value;
}

int Order(std::int64_t first, std::int64_t second) {
  return first < second ? -1 : (first > second ? 1 : 0);
}

}  // namespace

void SortOrder::click(int column) {
  if (column == column_) {
    direction_ = direction_ == SortDirection::Ascending ? SortDirection::Descending
                                                        : SortDirection::Ascending;
    return;
  }
  column_ = column;
  direction_ = SortDirection::Ascending;
}

int CompareColumnTexts(const std::string& first, const std::string& second, SortDirection direction,
                       TextCollation& collation) {
  const bool swap = direction == SortDirection::Descending;
  const std::string& a = swap ? second : first;
  const std::string& b = swap ? first : second;
  if (AllDigits(a))
    return Order(LeadingInteger(a), LeadingInteger(b));
  if (IsDate(a)) {
    const std::size_t fields[3][2] = {{6, 4}, {3, 2}, {0, 2}};  // year, month, day
    for (const auto& field : fields) {
      const int order =
          Order(LeadingInteger(a, field[0], field[1]), LeadingInteger(b, field[0], field[1]));
      if (order != 0)
        return order;
    }
    return 0;
  }
  return collation.compare(a, b);
}

const std::string& ColumnText(const SurveyRow& row, int column) {
  static const std::string kNone;
  switch (column) {
    case 0:
      return row.ssidText;
    case 1:
      return row.xrText;
    case 2:
      return row.channelText;
    case 3:
      return row.securityText;
    case 4:
      return row.signalText;
    case 5:
      return row.bssidText;
    case 6:
      return row.modeText;
    default:
      return kNone;
  }
}

std::vector<std::size_t> SortedOrder(const std::vector<SurveyRow>& rows, int column,
                                     SortDirection direction, TextCollation& collation) {
  std::vector<std::size_t> order(rows.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  for (std::size_t i = 1; i < order.size(); ++i) {
    for (std::size_t j = i; j > 0; --j) {
      const std::string& later = ColumnText(rows[order[j]], column);
      const std::string& earlier = ColumnText(rows[order[j - 1]], column);
      if (CompareColumnTexts(later, earlier, direction, collation) >= 0)
        break;
      std::swap(order[j], order[j - 1]);
    }
  }
  return order;
}

}  // namespace kestrel
