// A rows-and-columns text grid painted by itself: whole-row selection, a fixed header band in
// the window's silver, a vertical scroll bar that scrolls by whole rows, and hooks for the owner
// to paint over cells, to follow them as they move and to hear mouse, key and focus events. The
// texts live in one flat array, so filling a few thousand rows and painting the visible ones
// stays cheap.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QString>
#include <functional>
#include <vector>

class QPainter;

class TTextGrid : public QAbstractScrollArea {
 public:
  // Paints over a cell the grid has already filled and written; rect is in viewport pixels.
  using DrawCellHook = std::function<void(QPainter&, int col, int row, const QRect& rect)>;
  // Mouse position in viewport pixels.
  using MouseHook = std::function<void(const QPoint& position)>;
  // Returns true when it has handled the key; otherwise the grid's own keys apply.
  using KeyHook = std::function<bool(QKeyEvent& event)>;
  using FocusLostHook = std::function<void()>;
  // Runs after the cells may have moved on screen or the current row may have changed: a new
  // current row, top row, row count, row height, column width or viewport size.
  using CellsMovedHook = std::function<void()>;
  // The row for what was typed so far (type-to-find); -1 when none matches.
  using FindRowHook = std::function<int(const QString& typed)>;
  // Milliseconds on a steady clock.
  using Clock = std::function<qint64()>;

  explicit TTextGrid(QWidget* parent = nullptr);

  void SetColCount(int count);
  // Keeps the texts of the rows that remain; new rows are empty. The current row stays in range.
  void SetRowCount(int count);
  int RowCount() const { return rowCount_; }
  void SetFixedRows(int count);
  int FixedRows() const { return fixedRows_; }
  void SetDefaultRowHeight(int height);
  int DefaultRowHeight() const { return rowHeight_; }
  void SetColWidth(int col, int width);
  int ColWidth(int col) const;

  void SetCell(int col, int row, const QString& text);
  QString Cell(int col, int row) const;

  // The current (selected) row; setting it scrolls it into view. -1 when there is no data row.
  int Row() const { return row_; }
  void SetRow(int row);
  // First data row on screen below the fixed rows.
  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  // Data rows that fit whole below the fixed rows.
  int VisibleRowCount() const;

  // Rectangle of the cell in viewport pixels; for a data row scrolled out it lies off screen.
  QRect CellRect(int col, int row) const;
  // The cell under a viewport point; false when the point is on no cell.
  bool CellAt(const QPoint& position, int& col, int& row) const;

  // Background of data cells and of the area past the last column or row.
  void SetBackground(const QColor& color);
  void SetShowScrollBar(bool show);

  void SetDrawCellHook(DrawCellHook hook) { drawCell_ = std::move(hook); }
  void SetMouseMoveHook(MouseHook hook) { mouseMove_ = std::move(hook); }
  void SetMouseUpHook(MouseHook hook) { mouseUp_ = std::move(hook); }
  void SetKeyDownHook(KeyHook hook) { keyDown_ = std::move(hook); }
  void SetFocusLostHook(FocusLostHook hook) { focusLost_ = std::move(hook); }
  void SetCellsMovedHook(CellsMovedHook hook) { cellsMoved_ = std::move(hook); }
  // With a hook set, printable keys the key hook leaves alone go to type-to-find, as in a list
  // view: the typed text grows while the keys come less than kTypeToFindPauseMs apart, else it
  // starts afresh; the row the hook finds for it becomes current.
  void SetFindRowHook(FindRowHook hook) { findRow_ = std::move(hook); }
  // The clock type-to-find measures pauses with; a steady clock unless replaced (tests).
  void SetClock(Clock clock) { clock_ = std::move(clock); }
  // Drops every hook, so the grid calls nothing while its owner is being destroyed.
  void ClearHooks() {
    drawCell_ = {};
    mouseMove_ = {};
    mouseUp_ = {};
    keyDown_ = {};
    focusLost_ = {};
    cellsMoved_ = {};
    findRow_ = {};
  }

  static constexpr qint64 kTypeToFindPauseMs = 1000;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int RowTop(int row) const;
  bool RowOnScreen(int row) const;
  void UpdateScrollRange();
  void PaintCell(QPainter& painter, int col, int row, const QRect& rect);
  void CellsMoved();
  // Type-to-find; true when the key was a printable character it took.
  bool TypeToFind(const QKeyEvent& event);

  int colCount_ = 0;
  int rowCount_ = 0;
  int fixedRows_ = 0;
  int rowHeight_ = 20;
  int row_ = -1;
  int topRow_ = 0;
  std::vector<int> colWidths_;
  std::vector<QString> cells_;  // row-major, colCount_ per row
  QColor background_;
  DrawCellHook drawCell_;
  MouseHook mouseMove_;
  MouseHook mouseUp_;
  KeyHook keyDown_;
  FocusLostHook focusLost_;
  CellsMovedHook cellsMoved_;
  FindRowHook findRow_;
  Clock clock_;
  QString typed_;
  qint64 lastTypedMs_ = 0;
};
