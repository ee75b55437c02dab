#include "shell/cal.h"

#include <QCalendarWidget>
#include <QDate>
#include <QTableView>
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
  cale->setAccessibleName(QStringLiteral("Calendario"));
  // Its grid of days is a table of its own, nameless to a screen reader.
  if (auto* days = cale->findChild<QTableView*>())
    days->setAccessibleName(QStringLiteral("Giorni del mese"));
  v->addWidget(cale);
  setFixedSize(sizeHint());
}
