#include "app/session_fill.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <algorithm>

#include "app/text_grid.h"
#include "model/switch_model_ops.h"

void FillSessionsComboBox(QComboBox& sessions, const std::vector<TSessionItem>& items) {
  sessions.clear();
  for (const TSessionItem& item : items) {
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

void FillPortsGrid(TTextGrid& grid, const TSwitchModel& model, int session) {
  // Built first: it raises for a wrong session before the grid is touched.
  const std::vector<std::array<std::string, 3>> rows = PortsGridRows(model, session);
  const int width = PortsGridColumnWidth(grid.width());
  grid.SetColCount(3);
  grid.SetRowCount(model.Ports.Count + 1);
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

void FillRoleColumn(TTextGrid& grid, const TSwitchModel& model, int session) {
  const std::vector<std::array<std::string, 3>> rows = PortsGridRows(model, session);
  for (int row = 1; row <= static_cast<int>(rows.size()) && row < grid.RowCount(); ++row) {
    grid.SetCell(2, row, QString::fromStdString(rows[static_cast<size_t>(row) - 1][2]));
  }
}

void FitSessionsComboBox(QComboBox& sessions, QLabel& count) {
  constexpr int kDesignWidth = 190;
  constexpr int kDesignCountLeft = 304;
  constexpr int kFrameAndArrow = 36;
  constexpr int kGap = 5;
  const QFontMetrics metrics(sessions.font());
  int widest = 0;
  for (int index = 0; index < sessions.count(); ++index) {
    widest = std::max(widest, metrics.horizontalAdvance(sessions.itemText(index)));
  }
  const int countRight = count.x() + count.width();
  // The count's words as it stands, with room for its widest number.
  const int countText = count.fontMetrics().horizontalAdvance(
      count.text().section(QLatin1Char(':'), 0, 0) + QStringLiteral(": 0000"));
  const int room = countRight - countText - kGap - sessions.x();
  const int width = std::clamp(widest + kFrameAndArrow, kDesignWidth, std::max(kDesignWidth, room));
  sessions.resize(width, sessions.height());
  // Where the box cannot grow enough, its list still shows every caption whole.
  sessions.view()->setMinimumWidth(widest + kFrameAndArrow);
  const int countLeft = std::max(kDesignCountLeft, sessions.x() + width + kGap);
  count.setGeometry(countLeft, count.y(), countRight - countLeft, count.height());
}
