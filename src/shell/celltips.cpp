#include "shell/celltips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>

#include "common/widgets.h"

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
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QWidget* widget = opt.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  // The room the style leaves for the text, less its margins on both sides,
  // and the room the text needs there, wrapped as the grid wraps it.
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget)
                         .adjusted(margin, 0, -margin, 0);
  const bool wraps = opt.features & QStyleOptionViewItem::WrapText;
  const QRect needed = opt.fontMetrics.boundingRect(QRect(0, 0, room.width(), 1 << 20),
                                                    wraps ? int(Qt::TextWordWrap) : 0, text);
  return needed.width() > room.width() || needed.height() > room.height();
}

QString CellTips::tipText(const QString& text) { return widgets::plainTip(normalized(text)); }

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
