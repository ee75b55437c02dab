#pragma once
// The tooltips of the archive grids: a cell that shows its text cut (more
// lines than its row holds, or a word wider than its column) shows the whole
// text in its tooltip, wrapped and with its line breaks; a cell that shows all
// of its text has no tooltip.

#include <QStyledItemDelegate>

class CellTips : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

  // Whether the cell shows less than its whole text.
  bool isCut(const QStyleOptionViewItem& option, const QModelIndex& index) const;
  // The tooltip of a text: taken as plain text whatever it holds, its line
  // breaks kept, long lines broken between words.
  static QString tipText(const QString& text);
};
