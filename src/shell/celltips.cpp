#include "shell/celltips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QStyle>
#include <QTextDocument>
#include <QToolTip>

namespace {

// A text with one kind of line break and without the line breaks and blanks
// it ends with (a note often ends with CR LF).
QString normalized(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), u'\n');
  while (!text.isEmpty() && text.back().isSpace()) text.chop(1);
  return text;
}

}  // namespace

bool CellTips::isCut(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QString text = normalized(index.data(Qt::DisplayRole).toString());
  if (text.isEmpty()) return false;
  // A row is one line high: a second line is never seen.
  if (text.contains(u'\n')) return true;
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QWidget* widget = opt.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  // The room the style leaves for the text, less its margins on both sides.
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const int room =
      style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget).width() - 2 * margin;
  return opt.fontMetrics.horizontalAdvance(text) > room;
}

QString CellTips::tipText(const QString& text) {
  // As rich text, which the tooltip wraps; every character is escaped.
  return Qt::convertFromPlainText(normalized(text), Qt::WhiteSpaceNormal);
}

bool CellTips::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                         const QStyleOptionViewItem& option, const QModelIndex& index) {
  if (!event || !view || event->type() != QEvent::ToolTip)
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  if (!index.isValid() || !isCut(option, index)) {
    QToolTip::hideText();
    event->ignore();
    return true;
  }
  QToolTip::showText(event->globalPos(), tipText(index.data(Qt::DisplayRole).toString()),
                     view->viewport(), view->visualRect(index));
  return true;
}
