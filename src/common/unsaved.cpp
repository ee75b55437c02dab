#include "common/unsaved.h"

#include <QWidget>

#include "common/appcontext.h"

namespace unsaved {

bool confirm(AppContext& ctx, QWidget* window, UnsavedWork& work) {
  if (!work.hasUnsavedChanges()) return true;
  const QString title = kTitle + QStringLiteral(" - ") + window->windowTitle();
  switch (
      ctx.dialogs().message(window, kQuestion, MsgIcon::Question, MsgButtons::YesNoCancel, title)) {
    case MsgAnswer::Yes:
      return work.saveChanges();
    case MsgAnswer::No:
      return true;
    default:
      return false;
  }
}

bool confirmAll(AppContext& ctx) {
  for (QWidget* w : ctx.openWindows()) {
    auto* work = dynamic_cast<UnsavedWork*>(w);
    if (!work || !w->isVisible()) continue;
    w->raise();
    if (!confirm(ctx, w, *work)) return false;
  }
  return true;
}

}  // namespace unsaved
