#include "common/widgets.h"

namespace widgets {

void setBold(QWidget* widget, bool bold) {
  QFont f = widget->font();
  f.setBold(bold);
  widget->setFont(f);
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, bool bold) {
  auto* l = named<QLabel>(parent, name, caption);
  // A label may show the keeper's text (the station name): never read as HTML.
  l->setTextFormat(Qt::PlainText);
  if (bold) setBold(l);
  return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip,
                    bool bold) {
  auto* b = named<QPushButton>(parent, name, caption);
  if (!tip.isEmpty()) b->setToolTip(tip);
  if (bold) setBold(b);
  return b;
}

QString plainTip(const QString& text) {
  constexpr int kLine = 60;
  constexpr int kMost = 10000;
  QStringList lines;
  const QString shown = text.size() > kMost ? text.left(kMost) + QStringLiteral("…") : text;
  for (const QString& paragraph : shown.split(u'\n')) {
    QString line;
    for (const QString& word : paragraph.split(u' ')) {
      if (!line.isEmpty() && line.size() + 1 + word.size() > kLine) {
        lines << line;
        line.clear();
      }
      line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    lines << line;
  }
  // Rich text kept as the lines are, every character escaped: a text that
  // looks like markup still shows as typed.
  return QStringLiteral("<p style='white-space:pre'>") + lines.join(u'\n').toHtmlEscaped() +
         QStringLiteral("</p>");
}

std::pair<QPushButton*, QPushButton*> dialogButtons(QDialog* dialog, const QString& ok,
                                                    const QString& cancel) {
  QPushButton* accept = button(dialog, "okbutton", ok);
  QPushButton* reject = button(dialog, "cancelbutton", cancel);
  accept->setDefault(true);
  QObject::connect(accept, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(reject, &QPushButton::clicked, dialog, &QDialog::reject);
  return {accept, reject};
}

}  // namespace widgets
