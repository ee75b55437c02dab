#pragma once
// The one way the windows make their named child widgets: every control
// carries its name as objectName, so tests and screen readers find it.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <tuple>  // std::tie for dialogButtons
#include <utility>

namespace widgets {

// A new W(args..., parent) named `name`.
template <class W, class... Args>
W* named(QWidget* parent, const char* name, Args&&... args) {
  auto* w = new W(std::forward<Args>(args)..., parent);
  w->setObjectName(QLatin1String(name));
  return w;
}

// Makes a widget's font bold (or normal again).
void setBold(QWidget* widget, bool bold = true);

// A label of plain text: whatever it shows is never taken for HTML.
QLabel* label(QWidget* parent, const char* name, const QString& caption, bool bold = false);
QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                    const QString& tip = {}, bool bold = false);

// A tooltip that shows `text` as it is, never as HTML: its line breaks kept,
// lines of at most 60 characters broken between words (a longer word stands
// whole on its line), and no more than the first 10,000 characters.
QString plainTip(const QString& text);

// A dialog's "okbutton" (the default, accepts) and "cancelbutton" (rejects), in that order.
std::pair<QPushButton*, QPushButton*> dialogButtons(QDialog* dialog, const QString& ok,
                                                    const QString& cancel);

}  // namespace widgets
