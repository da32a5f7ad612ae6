#include "app/text_grid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <chrono>

#include "app/window_fonts.h"

namespace {

constexpr int kDefaultColWidth = 64;
// Standard cell text sits this far in from the cell's corner.
constexpr int kTextInset = 2;

}  // namespace

TTextGrid::TTextGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  verticalScrollBar()->setTracking(true);  // rows follow the thumb while it is dragged
  verticalScrollBar()->setSingleStep(1);
  background_ = palette().color(QPalette::Base);
  setFocusPolicy(Qt::StrongFocus);
  clock_ = [] {
    return static_cast<qint64>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
  };
}

void TTextGrid::SetColCount(int count) {
  count = std::max(0, count);
  if (count == colCount_) {
    return;
  }
  std::vector<QString> cells(static_cast<size_t>(count) * rowCount_);
  const int kept = std::min(count, colCount_);
  for (int row = 0; row < rowCount_; ++row) {
    for (int col = 0; col < kept; ++col) {
      cells[static_cast<size_t>(row) * count + col] =
          std::move(cells_[static_cast<size_t>(row) * colCount_ + col]);
    }
  }
  cells_ = std::move(cells);
  colCount_ = count;
  colWidths_.resize(static_cast<size_t>(count), kDefaultColWidth);
  viewport()->update();
  CellsMoved();
}

void TTextGrid::SetRowCount(int count) {
  rowCount_ = std::max(0, count);
  cells_.resize(static_cast<size_t>(rowCount_) * colCount_);
  if (row_ >= rowCount_ || row_ < fixedRows_) {
    row_ = rowCount_ > fixedRows_ ? std::clamp(row_, fixedRows_, rowCount_ - 1) : -1;
  }
  UpdateScrollRange();
  viewport()->update();
}

void TTextGrid::SetFixedRows(int count) {
  fixedRows_ = std::clamp(count, 0, rowCount_);
  SetRow(row_ < fixedRows_ ? fixedRows_ : row_);
  UpdateScrollRange();
  viewport()->update();
}

void TTextGrid::SetDefaultRowHeight(int height) {
  rowHeight_ = std::max(1, height);
  UpdateScrollRange();
  viewport()->update();
}

void TTextGrid::SetColWidth(int col, int width) {
  if (col >= 0 && col < colCount_) {
    colWidths_[static_cast<size_t>(col)] = width;
    viewport()->update();
    CellsMoved();
  }
}

int TTextGrid::ColWidth(int col) const {
  return col >= 0 && col < colCount_ ? colWidths_[static_cast<size_t>(col)] : 0;
}

void TTextGrid::SetCell(int col, int row, const QString& text) {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) {
    return;
  }
  cells_[static_cast<size_t>(row) * colCount_ + col] = text;
  // Filling thousands of rows must not queue thousands of repaints of rows nobody sees.
  if (RowOnScreen(row)) {
    viewport()->update(CellRect(col, row));
  }
}

QString TTextGrid::Cell(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) {
    return {};
  }
  return cells_[static_cast<size_t>(row) * colCount_ + col];
}

void TTextGrid::SetRow(int row) {
  if (rowCount_ <= fixedRows_) {
    row_ = -1;
    CellsMoved();
    return;
  }
  row_ = std::clamp(row, fixedRows_, rowCount_ - 1);
  if (row_ < topRow_) {
    SetTopRow(row_);
  } else if (row_ >= topRow_ + std::max(1, VisibleRowCount())) {
    SetTopRow(row_ - std::max(1, VisibleRowCount()) + 1);
  }
  viewport()->update();
  CellsMoved();
}

void TTextGrid::SetTopRow(int row) {
  const int first = fixedRows_;
  const int last = std::max(first, rowCount_ - VisibleRowCount());
  topRow_ = std::clamp(row, first, last);
  if (verticalScrollBar()->value() != topRow_ - fixedRows_) {
    verticalScrollBar()->setValue(topRow_ - fixedRows_);  // scrollContentsBy follows
  }
  viewport()->update();
  CellsMoved();
}

int TTextGrid::VisibleRowCount() const {
  return std::max(0, (viewport()->height() - fixedRows_ * rowHeight_) / rowHeight_);
}

int TTextGrid::RowTop(int row) const {
  if (row < fixedRows_) {
    return row * rowHeight_;
  }
  return (fixedRows_ + row - topRow_) * rowHeight_;
}

bool TTextGrid::RowOnScreen(int row) const {
  if (row < fixedRows_) {
    return true;
  }
  return row >= topRow_ && RowTop(row) < viewport()->height();
}

QRect TTextGrid::CellRect(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) {
    return {};
  }
  int left = 0;
  for (int c = 0; c < col; ++c) {
    left += colWidths_[static_cast<size_t>(c)];
  }
  return QRect(left, RowTop(row), colWidths_[static_cast<size_t>(col)], rowHeight_);
}

bool TTextGrid::CellAt(const QPoint& position, int& col, int& row) const {
  if (position.y() < 0 || position.x() < 0) {
    return false;
  }
  const int band = position.y() / rowHeight_;
  row = band < fixedRows_ ? band : topRow_ + band - fixedRows_;
  if (row >= rowCount_) {
    return false;
  }
  int left = 0;
  for (col = 0; col < colCount_; ++col) {
    left += colWidths_[static_cast<size_t>(col)];
    if (position.x() < left) {
      return true;
    }
  }
  return false;
}

void TTextGrid::SetBackground(const QColor& color) {
  background_ = color;
  viewport()->update();
}

void TTextGrid::SetShowScrollBar(bool show) {
  setVerticalScrollBarPolicy(show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TTextGrid::UpdateScrollRange() {
  const int maximum = std::max(0, rowCount_ - fixedRows_ - VisibleRowCount());
  verticalScrollBar()->setRange(0, maximum);
  verticalScrollBar()->setPageStep(std::max(1, VisibleRowCount()));
  SetTopRow(topRow_);
}

void TTextGrid::scrollContentsBy(int /*dx*/, int /*dy*/) {
  topRow_ = fixedRows_ + verticalScrollBar()->value();
  viewport()->update();
  CellsMoved();
}

void TTextGrid::CellsMoved() {
  if (cellsMoved_) {
    cellsMoved_();
  }
}

void TTextGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

void TTextGrid::PaintCell(QPainter& painter, int col, int row, const QRect& rect) {
  const bool fixed = row < fixedRows_;
  const bool selected = !fixed && row == row_;
  const QPalette& colors = palette();
  painter.fillRect(rect, fixed      ? kSilver
                         : selected ? colors.color(QPalette::Highlight)
                                    : background_);
  painter.setPen(colors.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
  painter.drawText(rect.adjusted(kTextInset, kTextInset, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                   cells_[static_cast<size_t>(row) * colCount_ + col]);
  if (fixed) {
    // Lines only around the fixed cells: a light top-left and a dark bottom-right edge.
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
  }
  if (drawCell_) {
    drawCell_(painter, col, row, rect);
  }
}

void TTextGrid::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  painter.setFont(font());
  painter.fillRect(viewport()->rect(), background_);
  const int height = viewport()->height();
  auto paintRow = [&](int row) {
    for (int col = 0; col < colCount_; ++col) {
      PaintCell(painter, col, row, CellRect(col, row));
    }
  };
  for (int row = topRow_; row < rowCount_ && RowTop(row) < height; ++row) {
    paintRow(row);
  }
  for (int row = 0; row < fixedRows_; ++row) {
    paintRow(row);
  }
}

void TTextGrid::keyPressEvent(QKeyEvent* event) {
  if (keyDown_ && keyDown_(*event)) {
    return;
  }
  const int page = std::max(1, VisibleRowCount());
  switch (event->key()) {
    case Qt::Key_Up:
      SetRow(row_ - 1);
      break;
    case Qt::Key_Down:
      SetRow(row_ + 1);
      break;
    case Qt::Key_PageUp:
      SetTopRow(topRow_ - page);
      SetRow(row_ - page);
      break;
    case Qt::Key_PageDown:
      SetTopRow(topRow_ + page);
      SetRow(row_ + page);
      break;
    case Qt::Key_Home:
      SetRow(fixedRows_);
      break;
    case Qt::Key_End:
      SetRow(rowCount_ - 1);
      break;
    default:
      if (!TypeToFind(*event)) {
        event->ignore();
        return;
      }
  }
  event->accept();
}

bool TTextGrid::TypeToFind(const QKeyEvent& event) {
  const QString text = event.text();
  const bool printable = !text.isEmpty() && text.at(0).isPrint() &&
                         (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
  if (!findRow_ || !printable) {
    return false;
  }
  const qint64 now = clock_();
  if (now - lastTypedMs_ >= kTypeToFindPauseMs) {
    typed_.clear();
  }
  lastTypedMs_ = now;
  typed_ += text;
  const int row = findRow_(typed_);
  if (row >= fixedRows_ && row < rowCount_) {
    SetRow(row);
  }
  return true;
}

void TTextGrid::mousePressEvent(QMouseEvent* event) {
  int col = 0;
  int row = 0;
  if (CellAt(event->position().toPoint(), col, row) && row >= fixedRows_) {
    SetRow(row);
  }
  event->accept();
}

void TTextGrid::mouseMoveEvent(QMouseEvent* event) {
  if (mouseMove_) {
    mouseMove_(event->position().toPoint());
  }
}

void TTextGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (mouseUp_) {
    mouseUp_(event->position().toPoint());
  }
}

void TTextGrid::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  if (focusLost_) {
    focusLost_();
  }
}
