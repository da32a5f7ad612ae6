#include "app/session_fill.h"

#include <QComboBox>

#include "app/text_grid.h"
#include "model/sessionlist.h"

void FillSessionsComboBox(QComboBox& sessions) {
  sessions.clear();
  for (const TSessionItem& item : SessionItems()) {
    sessions.addItem(QString::fromStdString(item.Caption), item.Number);
  }
  // Adding to an empty list selects its first item; the caller chooses which one is shown.
  sessions.setCurrentIndex(-1);
}

int SessionOfItem(const QComboBox& sessions, int index) {
  return index < 0 ? 0 : sessions.itemData(index).toInt();
}

int ItemOfSession(const QComboBox& sessions, int session) {
  return sessions.findData(session);
}

void FillPortsGrid(TTextGrid& grid, int session) {
  // Built first: it raises for a wrong session before the grid is touched.
  const std::vector<std::array<std::string, 3>> rows = PortsGridRows(session);
  const int width = PortsGridColumnWidth(grid.width());
  grid.SetColCount(3);
  grid.SetRowCount(Ports.Count + 1);
  grid.SetFixedRows(1);
  const std::array<std::string, 3> header = PortsGridHeader();
  for (int col = 0; col < 3; ++col) {
    grid.SetCell(col, 0, QString::fromStdString(header[static_cast<size_t>(col)]));
    grid.SetColWidth(col, width);
  }
  grid.SetRow(1);
  for (int row = 1; row <= static_cast<int>(rows.size()); ++row) {
    const std::array<std::string, 3>& texts = rows[static_cast<size_t>(row) - 1];
    for (int col = 0; col < 3; ++col) {
      grid.SetCell(col, row, QString::fromStdString(texts[static_cast<size_t>(col)]));
    }
  }
}
