#pragma once
// Sorting the network table by a column: numbers, dd/mm/yyyy dates, or the locale's order.

#include <string>
#include <vector>

#include "monitor/network_list.h"

namespace kestrel {

class TextCollation;

enum class SortDirection { Ascending, Descending };

// The column a header click sorts by: a new column sorts ascending, the same column again
// reverses the direction.
class SortOrder {
 public:
  void click(int column);
  int column() const { return column_; }  // -1 before the first click
  SortDirection direction() const { return direction_; }

 private:
  int column_ = -1;
  SortDirection direction_ = SortDirection::Ascending;
};

// Descending swaps the texts first. When the first text holds only digits (or nothing)
// both are compared as integers; when it reads dd/mm/yyyy both are compared by year,
// month and day; otherwise by `collation`.
int CompareColumnTexts(const std::string& first, const std::string& second, SortDirection direction,
                       TextCollation& collation);

// The text of column 0..6 in table order; empty for any other column.
const std::string& ColumnText(const SurveyRow& row, int column);

// The rows' positions in sorted order. Stable, and safe with a comparison that is not a
// strict order (a column mixing numbers and text gives one): every step stays inside the
// vector.
std::vector<std::size_t> SortedOrder(const std::vector<SurveyRow>& rows, int column,
                                     SortDirection direction, TextCollation& collation);

}  // namespace kestrel
