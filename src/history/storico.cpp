#include "history/storico.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "common/historystore.h"
#include "common/widgets.h"
#include "history/importa.h"
#include "rules/entrychecks.h"
#include "rules/history.h"
#include "rules/months.h"
#include "rules/numbers.h"

namespace {

const QColor kWarning(255, 214, 214);

// A value cell's editor: a typed "." becomes the decimal comma, as in the sheets.
class CommaEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->text() == QStringLiteral(".")) {
      QKeyEvent comma(event->type(), Qt::Key_Comma, event->modifiers(), QStringLiteral(","));
      QLineEdit::keyPressEvent(&comma);
      return;
    }
    QLineEdit::keyPressEvent(event);
  }
};

class CellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    QLineEdit* editor =
        index.column() == storico::Note ? new QLineEdit(parent) : new CommaEdit(parent);
    editor->setFrame(false);
    editor->setMaxLength(index.column() == storico::Note ? 255 : 32);
    return editor;
  }
};

QString text(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? item->text() : QString();
}

}  // namespace

storico::storico(AppContext& ctx)
    : ToolWindow(ctx, ctx.existingMainWindow(), "storico", QStringLiteral("Storico giornaliero")) {
  Combo1 = widgets::named<QComboBox>(this, "Combo1");
  Combo1->addItems(months::names());
  anno = widgets::named<QSpinBox>(this, "anno");
  anno->setRange(1800, 2200);
  precedente = widgets::button(this, "precedente", QStringLiteral("<"),
                               QStringLiteral("Mese precedente (Ctrl+PagSu)"));
  successivo = widgets::button(this, "successivo", QStringLiteral(">"),
                               QStringLiteral("Mese successivo (Ctrl+PagGiù)"));
  precedente->setAccessibleName(QStringLiteral("Mese precedente"));
  successivo->setAccessibleName(QStringLiteral("Mese successivo"));

  giorni = widgets::named<QTableWidget>(this, "giorni");
  giorni->setAccessibleName(QStringLiteral("Giorni del mese"));
  giorni->setColumnCount(Colonne);
  giorni->setHorizontalHeaderLabels(
      {QStringLiteral("Giorno"), QStringLiteral("Minima (°C)"), QStringLiteral("Massima (°C)"),
       QStringLiteral("Precipitazione (mm)"), QStringLiteral("Note")});
  giorni->verticalHeader()->hide();
  giorni->verticalHeader()->setDefaultSectionSize(giorni->fontMetrics().height() + 6);
  giorni->horizontalHeader()->setStretchLastSection(true);
  giorni->setItemDelegate(new CellDelegate(giorni));
  giorni->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  giorni->setSelectionMode(QAbstractItemView::SingleSelection);
  giorni->setTabKeyNavigation(false);
  giorni->setColumnWidth(Giorno, 90);
  for (int c : {Minima, Massima, Precipitazione}) giorni->setColumnWidth(c, 130);

  riepilogo = widgets::label(this, "riepilogo", QString());
  annulla = widgets::button(this, "annulla", QStringLiteral("Annulla &ultima modifica"));
  annulla->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  importa = widgets::button(this, "importa", QStringLiteral("&Importa resoconti..."),
                            QStringLiteral("Legge nello storico i resoconti salvati dai fogli "
                                           "giornalieri nei mesi passati"));
  chiudi = widgets::button(this, "chiudi", QStringLiteral("&Chiudi"));

  auto* top = new QHBoxLayout;
  QLabel* monthCaption = widgets::label(this, "Label1", QStringLiteral("&Mese:"));
  monthCaption->setBuddy(Combo1);
  QLabel* yearCaption = widgets::label(this, "Label2", QStringLiteral("&Anno:"));
  yearCaption->setBuddy(anno);
  top->addWidget(precedente);
  top->addWidget(monthCaption);
  top->addWidget(Combo1);
  top->addWidget(yearCaption);
  top->addWidget(anno);
  top->addWidget(successivo);
  top->addStretch(1);
  auto* foot = new QHBoxLayout;
  foot->addWidget(annulla);
  foot->addWidget(importa);
  foot->addStretch(1);
  foot->addWidget(chiudi);
  auto* v = new QVBoxLayout(this);
  v->addLayout(top);
  v->addWidget(giorni, 1);
  v->addWidget(riepilogo);
  v->addLayout(foot);
  for (QPushButton* b : {precedente, successivo})
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("<")) + 32);
  resize(780, 700);

  const QDate today = QDate::currentDate();
  Combo1->setCurrentIndex(today.month() - 1);
  anno->setValue(today.year());
  connect(Combo1, &QComboBox::currentIndexChanged, this, &storico::carica);
  connect(anno, &QSpinBox::valueChanged, this, &storico::carica);
  connect(precedente, &QPushButton::clicked, this, [this] { showMonth(month().addMonths(-1)); });
  connect(successivo, &QPushButton::clicked, this, [this] { showMonth(month().addMonths(1)); });
  // The grid keeps PagSu and PagGiù for scrolling; with Ctrl they turn the month.
  for (auto [key, delta] : {std::pair{Qt::Key_PageUp, -1}, std::pair{Qt::Key_PageDown, 1}}) {
    auto* s = new QShortcut(QKeySequence(Qt::CTRL | key), this);
    connect(s, &QShortcut::activated, this, [this, delta] { showMonth(month().addMonths(delta)); });
  }
  connect(giorni, &QTableWidget::itemChanged, this, &storico::cellChanged);
  connect(annulla, &QPushButton::clicked, this, &storico::annulla_Click);
  connect(importa, &QPushButton::clicked, this, &storico::importa_Click);
  connect(chiudi, &QPushButton::clicked, this, &QWidget::close);

  QString error;
  history_ = ctx_.history(&error);
  if (history_) {
    connect(history_, &DailyHistory::changed, this, [this](const QDate& first, const QDate& last) {
      if (first <= month().addMonths(1).addDays(-1) && last >= month()) carica();
      aggiornaAnnulla();
    });
  }
  carica();
  if (!history_)
    ctx_.dialogs().failure(
        this, QStringLiteral("Impossibile aprire lo storico giornaliero (giornaliero.mdb)."),
        error);
}

QDate storico::month() const { return QDate(anno->value(), Combo1->currentIndex() + 1, 1); }

void storico::showMonth(const QDate& m) {
  if (!m.isValid() || m.year() < anno->minimum() || m.year() > anno->maximum()) return;
  loading_ = true;
  Combo1->setCurrentIndex(m.month() - 1);
  anno->setValue(m.year());
  loading_ = false;
  carica();
}

void storico::carica() {
  if (loading_) return;
  loading_ = true;
  const QDate first = month();
  const QVector<DayRecord> stored =
      history_ ? history_->month(first.year(), first.month()) : QVector<DayRecord>();
  const QLocale italian(QLocale::Italian);
  giorni->setRowCount(first.daysInMonth());
  for (int row = 0; row < first.daysInMonth(); ++row) {
    const QDate date = first.addDays(row);
    DayRecord day;
    for (const DayRecord& d : stored)
      if (d.date == date) day = d;
    auto* dayItem = new QTableWidgetItem(italian.toString(date, QStringLiteral("d ddd")));
    dayItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    giorni->setItem(row, Giorno, dayItem);
    const QString values[] = {day.minimum, day.maximum, day.rain, day.note};
    for (int c = Minima; c <= Note; ++c) {
      auto* item = new QTableWidgetItem(values[c - Minima]);
      if (c != Note) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (!history_) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      giorni->setItem(row, c, item);
    }
  }
  loading_ = false;
  marca();
  aggiornaRiepilogo();
  aggiornaAnnulla();
}

void storico::cellChanged(QTableWidgetItem* item) {
  if (loading_ || !history_ || item->column() == Giorno) return;
  const int row = item->row();
  const QDate date = month().addDays(row);
  // What the keeper typed is kept as typed, as in the sheets.
  const DayRecord day{date, text(giorni, row, Minima), text(giorni, row, Massima),
                      text(giorni, row, Precipitazione), text(giorni, row, Note)};
  QString error;
  if (!history_->write({day}, QStringLiteral("Correzione del ") + history::dayName(date), &error)) {
    ctx_.dialogs().failure(this, historystore::kWriteFailure, error);
    carica();  // back to what is on disk
    return;
  }
  marca();
  aggiornaRiepilogo();
}

void storico::marca() {
  const int days = giorni->rowCount();
  QStringList minima, maxima, rain;
  for (int row = 0; row < days; ++row) {
    minima << text(giorni, row, Minima);
    maxima << text(giorni, row, Massima);
    rain << text(giorni, row, Precipitazione);
  }
  const auto temperatures = entrychecks::dailyTemperatures(minima, maxima);
  const QVector<QStringList> rains = entrychecks::dailyRains(rain);
  const bool wasLoading = loading_;
  loading_ = true;  // marks are no change of the keeper's
  for (int row = 0; row < days; ++row) {
    const QStringList* reasons[] = {&temperatures.minima[row], &temperatures.maxima[row],
                                    &rains[row]};
    for (int c = Minima; c <= Precipitazione; ++c) {
      const QStringList& why = *reasons[c - Minima];
      QTableWidgetItem* item = giorni->item(row, c);
      item->setData(Qt::BackgroundRole, why.isEmpty() ? QVariant() : QVariant(kWarning));
      item->setToolTip(why.isEmpty()
                           ? QString()
                           : QStringLiteral("Attenzione: ") + why.join(QStringLiteral("; ")));
    }
  }
  loading_ = wasLoading;
}

void storico::aggiornaRiepilogo() {
  int stored = 0, minCount = 0, maxCount = 0;
  double minSum = 0, maxSum = 0;
  num::Fixed4 rain;
  bool rainOk = true;
  int rainCount = 0;
  for (int row = 0; row < giorni->rowCount(); ++row) {
    bool any = false;
    for (int c = Minima; c <= Note; ++c) any = any || !text(giorni, row, c).isEmpty();
    stored += any;
    if (const auto v = num::readLocale(text(giorni, row, Minima))) minSum += *v, ++minCount;
    if (const auto v = num::readLocale(text(giorni, row, Massima))) maxSum += *v, ++maxCount;
    if (const auto v = num::readFixed4(text(giorni, row, Precipitazione))) {
      const auto sum = num::add(rain, *v);
      rainOk = rainOk && sum.has_value();
      if (sum) rain = *sum;
      ++rainCount;
    }
  }
  auto mean = [](double sum, int count) {
    return count ? num::formatPattern(sum / count) + QStringLiteral(" °C") : QStringLiteral("-");
  };
  riepilogo->setText(
      QStringLiteral("Media delle minime: %1    Media delle massime: %2    Precipitazione totale: "
                     "%3    Giorni memorizzati: %4 su %5")
          .arg(mean(minSum, minCount), mean(maxSum, maxCount),
               rainCount && rainOk ? num::formatPattern(rain) + QStringLiteral(" mm")
                                   : QStringLiteral("-"))
          .arg(stored)
          .arg(giorni->rowCount()));
}

void storico::aggiornaAnnulla() {
  const bool can = history_ && history_->canUndo();
  annulla->setEnabled(can);
  annulla->setToolTip(can ? QStringLiteral("Annulla: ") + history_->undoText() : QString());
}

void storico::annulla_Click() {
  if (!history_ || !history_->canUndo()) return;
  QString error;
  QDate touched;
  auto seen = connect(history_, &DailyHistory::changed, this,
                      [&touched](const QDate& first, const QDate&) { touched = first; });
  const bool ok = history_->undo(&error);
  disconnect(seen);
  if (!ok) {
    ctx_.dialogs().failure(this, historystore::kWriteFailure, error);
    return;
  }
  // The month the undone change was in comes into view.
  if (touched.isValid() && QDate(touched.year(), touched.month(), 1) != month())
    showMonth(QDate(touched.year(), touched.month(), 1));
  aggiornaAnnulla();
}

void storico::importa_Click() {
  if (!history_) return;
  importa::avvia(ctx_, this, *history_);
}

void storico::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}
