// Gives every row of a drop-down's list one fixed height, as the design sets for the window's
// drop-downs.
#pragma once

#include <QStyledItemDelegate>

class TFixedRowDelegate : public QStyledItemDelegate {
 public:
  TFixedRowDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
  }

 private:
  int height_;
};
