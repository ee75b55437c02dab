#include "shell/cal.h"

#include <QCalendarWidget>
#include <QDate>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "common/widgets.h"

cal::cal(AppContext& ctx) : QWidget(ctx.mainWindow(), Qt::Window) {
  setObjectName(QStringLiteral("cal"));
  setWindowTitle(QStringLiteral("Calendario"));
  // Its close box unloads it; the menu command only hides it.
  setAttribute(Qt::WA_DeleteOnClose);
  auto* v = new QVBoxLayout(this);
  cale = widgets::named<QCalendarWidget>(this, "cale");
  cale->setGridVisible(true);
  cale->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  cale->setSelectedDate(QDate::currentDate());
  v->addWidget(cale);
  setFixedSize(sizeHint());
}
