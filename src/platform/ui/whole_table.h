// A table of a window shown whole, every row and column, never scrolled. Header only.
#pragma once

#include <QHeaderView>
#include <QTableWidget>

namespace torvane {

// Fixes the table's height to its header and rows and returns the width of its columns with
// its frame, for the caller to set as it lays the table out.
inline int ShowWholeTable(QTableWidget& table) {
  int width = 2 * table.frameWidth();
  for (int k = 0; k < table.columnCount(); ++k) width += table.columnWidth(k);
  int height = table.horizontalHeader()->height() + 2 * table.frameWidth();
  for (int r = 0; r < table.rowCount(); ++r) height += table.rowHeight(r);
  table.setFixedHeight(height);
  return width;
}

}  // namespace torvane
