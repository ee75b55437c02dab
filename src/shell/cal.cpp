#include "shell/cal.h"

#include <QCalendarWidget>
#include <QDate>
#include <QTableView>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "common/widgets.h"

// Its close box unloads it; the menu command only hides it.
cal::cal(AppContext& ctx) : ToolWindow(ctx, ctx.mainWindow(), "cal", QStringLiteral("Calendario")) {
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
