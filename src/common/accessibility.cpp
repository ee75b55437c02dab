#include "common/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {

// Qt names a plain widget only by its class, and a plain widget is a part of a
// window to it, even when it is a window of its own. Dialogs, menus, tooltips
// and the main window reach Qt's own answers before the key "QWidget" comes.
QAccessibleInterface* windowOfItsOwn(const QString& key, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  // Qt has no answer of its own for a tab widget, which would be a nameless
  // "filler": it is the group of its pages (its row of tabs answers for itself).
  if (key == QLatin1String("QTabWidget"))
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
  if (key != QLatin1String("QWidget")) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  // Every window of the program has a class of its own: a widget that reads as
  // a plain QWidget is one being destroyed, which Qt alone knows how to treat.
  if (widget->metaObject() == &QWidget::staticMetaObject) return nullptr;
  // The program's own windows are owned by another (dialogs to the window
  // manager), the splash is a screen of its own; to a screen reader they are
  // all windows.
  const Qt::WindowType type = widget->windowType();
  if (!widget->isWindow()) return nullptr;
  if (type != Qt::Window && type != Qt::Dialog && type != Qt::SplashScreen) return nullptr;
  return new QAccessibleWidget(widget, QAccessible::Window);
}

}  // namespace

namespace accessibility {

void install() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(windowOfItsOwn);
}

}  // namespace accessibility
