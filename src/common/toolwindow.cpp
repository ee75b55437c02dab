#include "common/toolwindow.h"

#include <QCloseEvent>

#include "common/appcontext.h"

namespace {

// A window owned by another is a dialog to the window manager: it stays above
// its owner, goes with it when the owner is minimised, and has no task-bar
// entry of its own. A window that asks for no particular buttons keeps those
// of an ordinary window.
Qt::WindowFlags ownedFlags(Qt::WindowFlags flags) {
  if (!(flags & Qt::CustomizeWindowHint) && !(flags & ~Qt::WindowType_Mask))
    flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
             Qt::WindowCloseButtonHint;
  return (flags & ~Qt::WindowType_Mask) | Qt::Dialog;
}

}  // namespace

template <class Base>
ToolWindow<Base>::ToolWindow(AppContext& ctx, QWidget* owner, const char* name,
                             const QString& title, Qt::WindowFlags flags)
    : Base(owner, ownedFlags(flags)), ctx_(ctx) {
  this->setObjectName(QLatin1String(name));
  this->setWindowTitle(title);
  this->setAttribute(Qt::WA_DeleteOnClose);
}

template <class Base>
void ToolWindow<Base>::mostra(QWidget* owner) {
  if (!owner) owner = ctx_.existingMainWindow();
  if (owner && !this->isVisible() && this->parentWidget() != owner)
    this->setParent(owner, this->windowFlags());
  this->setWindowState(this->windowState() & ~Qt::WindowMinimized);
  this->show();
  this->raise();
  this->activateWindow();
}

template <class Base>
void ToolWindow<Base>::closeEvent(QCloseEvent* event) {
  if (!mayClose()) {
    event->ignore();
    return;
  }
  closing();
  // Accepted here: a dialog's own handling would take the close for a reject.
  event->accept();
  if (MainWindow* main = ctx_.existingMainWindow()) main->giveFocusBack();
}

template class ToolWindow<QWidget>;
template class ToolWindow<QDialog>;
