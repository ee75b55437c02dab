#include "common/unsaved.h"

#include <QWidget>
#include <algorithm>

#include "common/appcontext.h"
#include "common/toolwindow.h"

namespace unsaved {

namespace {

QString titleOf(const QWidget* window) {
  return kTitle + QStringLiteral(" - ") + window->windowTitle();
}

bool ask(AppContext& ctx, QWidget* window, UnsavedWork& work, const QString& question) {
  if (!work.hasUnsavedChanges()) return true;
  switch (ctx.dialogs().message(window, question, MsgIcon::Question, MsgButtons::YesNoCancel,
                                titleOf(window))) {
    case MsgAnswer::Yes:
      return work.saveChanges();
    case MsgAnswer::No:
      return true;
    default:
      return false;
  }
}

}  // namespace

QString questionNaming(const QWidget* window) {
  return QStringLiteral("Salvare le modifiche alla finestra «%1»?").arg(window->windowTitle());
}

bool confirm(AppContext& ctx, QWidget* window, UnsavedWork& work) {
  return ask(ctx, window, work, kQuestion);
}

bool confirmAll(AppContext& ctx) {
  QList<QWidget*> windows;
  for (QWidget* w : ctx.openWindows())
    if (w->isVisible() && dynamic_cast<UnsavedWork*>(w)) windows << w;
  std::stable_sort(windows.begin(), windows.end(), [](const QWidget* a, const QWidget* b) {
    return toolwindows::lastActive(a) > toolwindows::lastActive(b);
  });
  for (QWidget* w : windows) {
    auto* work = dynamic_cast<UnsavedWork*>(w);
    if (!work->hasUnsavedChanges()) continue;
    // The keeper sees the window the question is about.
    w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    w->raise();
    w->activateWindow();
    if (!ask(ctx, w, *work, questionNaming(w))) return false;
  }
  return true;
}

bool confirmDiscard(AppContext& ctx, QWidget* window, UnsavedWork& work) {
  if (!work.hasUnsavedChanges()) return true;
  return ctx.dialogs().message(window, kDiscardQuestion, MsgIcon::Question, MsgButtons::YesNo,
                               titleOf(window)) == MsgAnswer::Yes;
}

}  // namespace unsaved
