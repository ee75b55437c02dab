#include "sheets/archiviopioggia.h"

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "archive/dialog3.h"
#include "common/appcontext.h"
#include "common/fieldwarning.h"
#include "common/historystore.h"
#include "common/widgets.h"
#include "rules/entrychecks.h"
#include "rules/rainreport.h"
#include "sheets/cellinput.h"

namespace {

const QString kInitialCaption = QStringLiteral("0.");
const QString kZero = QStringLiteral("0");

using widgets::button;
using widgets::label;

}  // namespace

const QColor archiviopioggia::kRainColour = QColor(255, 255, 192);

archiviopioggia::archiviopioggia(AppContext& ctx)
    : SheetWindow(ctx, "archiviopioggia", QStringLiteral("Precipitazioni giornaliere")) {
  buildWindow();

  // The load: today in the picker, then the cells from the sheet file.
  DTPicker1->setDate(QDate::currentDate());
  setSheetFile(QLatin1String(sheetfile::kDailyRain.fileName), {Text1.begin(), Text1.end()});
  sbLeggiFileA();
  for (int i = 1; i <= 31; ++i)
    connect(Text1[size_t(i)], &QLineEdit::textChanged, this, &archiviopioggia::controlla);
  controlla();

  Timer1 = widgets::named<QTimer>(this, "Timer1");
  Timer1->setInterval(200);
  connect(Timer1, &QTimer::timeout, this, &archiviopioggia::Timer1_Timer);
  Timer1->start();
  Timer1_Timer();
}

void archiviopioggia::buildWindow() {
  auto* outer = new QVBoxLayout(this);

  auto* label3 = label(this, "Label3",
                       QStringLiteral("Immettere nei campi sottostanti, giorno per giorno e nel "
                                      "giusto ordine, l'accumulo rilevato. Per i giorni senza "
                                      "pioggia, inserire semplicemente 0 (zero)."));
  label3->setWordWrap(true);
  outer->addWidget(label3);

  auto* pickerRow = new QHBoxLayout;
  auto* label2 = label(this, "Label2", QStringLiteral("Mese corrente:"));
  DTPicker1 = widgets::named<QDateEdit>(this, "DTPicker1");
  DTPicker1->setDisplayFormat(QStringLiteral("MMMM, yyyy"));
  DTPicker1->setCalendarPopup(true);
  DTPicker1->setMinimumWidth(160);
  label2->setBuddy(DTPicker1);
  pickerRow->addWidget(label2);
  pickerRow->addWidget(DTPicker1);
  pickerRow->addStretch(1);
  outer->addLayout(pickerRow);

  auto* middle = new QHBoxLayout;
  auto* cells = new QGridLayout;
  cells->setHorizontalSpacing(6);
  cells->setVerticalSpacing(4);
  for (int i = 0; i <= 31; ++i) {
    auto* cell = new CellInput(this);
    cell->setObjectName(QStringLiteral("Text1_%1").arg(i));
    cell->setText(kZero);
    Text1[size_t(i)] = cell;
    if (i == 0) {
      cell->hide();  // kept in the sheet file, never shown
      continue;
    }
    cell->setEmptiesZeroOnFocus(true);
    const QString tip = QString::number(i) + QStringLiteral("° Giorno");
    cell->setToolTip(tip);
    cell->setAccessibleName(tip);
    cell->setFixedWidth(72);
    auto* day = new QLabel(QString::number(i), this);
    day->setObjectName(QStringLiteral("giorno_%1").arg(i));
    day->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    day->setBuddy(cell);
    // Days 1-10, 11-20 and 21-30 run down three columns; 31 heads the fourth.
    const int column = (i - 1) / 10;
    const int row = (i - 1) % 10;
    cells->addWidget(day, row, column * 2);
    cells->addWidget(cell, row, column * 2 + 1);
  }
  for (int c = 0; c < 4; ++c) cells->setColumnMinimumWidth(c * 2, 18);
  middle->addLayout(cells);
  middle->addSpacing(16);

  auto* side = new QVBoxLayout;
  auto* results = new QGridLayout;
  auto* label4 = label(this, "Label4", QStringLiteral("Totale:"));
  totale = label(this, "totale", kInitialCaption);
  QFont big = totale->font();
  big.setBold(true);
  big.setPointSize(12);
  totale->setFont(big);
  QPalette red = totale->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  totale->setPalette(red);
  auto* label1 = label(this, "Label1", QStringLiteral("Prima decade:"));
  primadec = label(this, "primadec", kInitialCaption);
  auto* label5 = label(this, "Label5", QStringLiteral("Seconda decade:"));
  secondadec = label(this, "secondadec", kInitialCaption);
  auto* label7 = label(this, "Label7", QStringLiteral("Terza decade:"));
  terzadec = label(this, "terzadec", kInitialCaption);
  QFont bold = primadec->font();
  bold.setBold(true);
  int row = 0;
  for (auto [caption, value] : {std::pair{label4, totale}, std::pair{label1, primadec},
                                std::pair{label5, secondadec}, std::pair{label7, terzadec}}) {
    if (value != totale) value->setFont(bold);
    value->setMinimumWidth(150);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    results->addWidget(caption, row, 0);
    results->addWidget(value, row, 1);
    ++row;
  }
  side->addLayout(results);
  side->addSpacing(12);

  Command1 = button(this, "Command1", QStringLiteral("&Totale precipitativo mensile"));
  QFont boldButton = Command1->font();
  boldButton.setBold(true);
  Command1->setFont(boldButton);
  Command2 = button(this, "Command2", QStringLiteral("S&vuota campi"));
  Command3 = button(this, "Command3", QStringLiteral("&Chiudi (senza salvare)"));
  side->addWidget(Command1);
  side->addWidget(Command2);
  side->addWidget(Command3);
  side->addStretch(1);
  middle->addLayout(side);
  outer->addLayout(middle);

  Frame1 = widgets::named<QGroupBox>(this, "Frame1", QStringLiteral("Operazioni correlate"));
  auto* related = new QGridLayout(Frame1);
  Command9 = button(Frame1, "Command9", QStringLiteral("&Salva con nome..."),
                    QStringLiteral("Salva i valori mensili in formato testuale con nome"));
  Command5 = button(Frame1, "Command5", QStringLiteral("&Aggiorna"),
                    QStringLiteral("Salva le modifiche apportate alla schermata"));
  Command6 = button(Frame1, "Command6", QStringLiteral("Sta&mpa..."),
                    QStringLiteral("Stampa i valori immessi e calcolati"));
  Command4 = button(Frame1, "Command4", QStringLiteral("&Pioggia annuale"),
                    QStringLiteral("Apri la finestra Pioggia annuale"));
  Command7 = button(Frame1, "Command7", QStringLiteral("Archivia &>"),
                    QStringLiteral("Archivia i dati appena calcolati"));
  Command8 = button(Frame1, "Command8", QStringLiteral("&Riepilogo mensile..."),
                    QStringLiteral("Crea il Riepilogo Mensile"));
  related->addWidget(Command9, 0, 0);
  related->addWidget(Command5, 0, 1);
  related->addWidget(Command6, 0, 2);
  related->addWidget(Command4, 1, 0);
  related->addWidget(Command7, 1, 1);
  related->addWidget(Command8, 1, 2);
  clima = button(Frame1, "clima", QStringLiteral("C&lima..."),
                 QStringLiteral("Cifre, resoconti e grafici del clima della stazione"));
  related->addWidget(clima, 2, 2);
  outer->addWidget(Frame1);
  Command9->setEnabled(false);
  Command6->setEnabled(false);
  Command7->setEnabled(false);

  Text2 = widgets::named<QPlainTextEdit>(this, "Text2");
  Text2->hide();

  connect(Command1, &QPushButton::clicked, this, &archiviopioggia::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &archiviopioggia::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &archiviopioggia::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &archiviopioggia::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &archiviopioggia::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &archiviopioggia::Command6_Click);
  connect(Command7, &QPushButton::clicked, this, &archiviopioggia::Command7_Click);
  connect(Command8, &QPushButton::clicked, this, &archiviopioggia::Command8_Click);
  connect(Command9, &QPushButton::clicked, this, &archiviopioggia::Command9_Click);
  connect(clima, &QPushButton::clicked, this, [this] {
    ctx_.mainWindow()->apriClima(DTPicker1->date().year(), DTPicker1->date().month());
  });

  // The days first, in their order, then the picker and the buttons.
  QWidget* previous = Text1[1];
  for (QWidget* next : std::initializer_list<QWidget*>{
           Text1[2],  Text1[3],  Text1[4],  Text1[5],  Text1[6],  Text1[7],  Text1[8],
           Text1[9],  Text1[10], Text1[11], Text1[12], Text1[13], Text1[14], Text1[15],
           Text1[16], Text1[17], Text1[18], Text1[19], Text1[20], Text1[21], Text1[22],
           Text1[23], Text1[24], Text1[25], Text1[26], Text1[27], Text1[28], Text1[29],
           Text1[30], Text1[31], DTPicker1, Command1,  Command2,  Command3,  Command9,
           Command5,  Command6,  Command4,  Command7,  Command8,  clima}) {
    setTabOrder(previous, next);
    previous = next;
  }
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QStringList archiviopioggia::cellTexts(int from, int to) const {
  QStringList texts;
  for (int i = from; i <= to; ++i) texts.append(Text1[size_t(i)]->text());
  return texts;
}

void archiviopioggia::Command1_Click() {
  const auto totals = rainreport::monthTotals(cellTexts(1, 31));
  if (!totals) {
    ctx_.dialogs().message(this, rainreport::kTypingError, MsgIcon::Exclamation);
    return;
  }
  totale->setText(rainreport::millimetres(totals->month));
  primadec->setText(rainreport::millimetres(totals->first));
  secondadec->setText(rainreport::millimetres(totals->second));
  terzadec->setText(rainreport::millimetres(totals->third));
  lastTotal_ = num::formatPattern(totals->month);
  Command9->setEnabled(true);
  Command6->setEnabled(true);
  Command7->setEnabled(true);
  Command2->setEnabled(true);
}

void archiviopioggia::Command2_Click() { svuota(); }

void archiviopioggia::svuota() {
  for (QLineEdit* cell : Text1) cell->setText(kZero);
  Text2->setPlainText(kZero);
  for (QLabel* l : {totale, primadec, secondadec, terzadec}) l->setText(kInitialCaption);
  Command2->setEnabled(false);
  Command7->setEnabled(false);
  Command9->setEnabled(false);
  Command6->setEnabled(false);
}

void archiviopioggia::Command3_Click() { chiudiSenzaSalvare(); }

void archiviopioggia::Command4_Click() { ctx_.mainWindow()->apriPioggiaanno(this); }

void archiviopioggia::Command5_Click() { aggiorna(); }

void archiviopioggia::Command6_Click() { ctx_.mainWindow()->apriStampa(this); }

void archiviopioggia::Command7_Click() {
  Dialog3 dialog(ctx_, this);
  // The total as last computed, not recomputed from cells edited since.
  dialog.setTotal(lastTotal_);
  ctx_.mainWindow()->showPanel(ArchiveKind::Rain, false);
  ctx_.dialogs().runModal(dialog);
  // The month the keeper archived the total under is the month of these days.
  if (dialog.result() == QDialog::Accepted)
    historystore::store(ctx_, this, history::Way::HandOver, history::Sheet::Rain, dialog.year(),
                        dialog.month(), days());
}

void archiviopioggia::controlla() {
  const QVector<QStringList> w =
      entrychecks::dailyRains(days(), entrychecks::kNotANumberStopsTotal);
  for (int d = 1; d <= 31; ++d) fieldwarning::set(Text1[size_t(d)], w[d - 1]);
}

void archiviopioggia::Command8_Click() { ctx_.mainWindow()->apriMese(this, true); }

void archiviopioggia::Command9_Click() {
  rainreport::DailyReport report;
  report.station = ctx_.config().nome;
  const QDate month = ctx_.mainWindow()->meseTemperature();
  report.month = month.month();
  report.year = month.year();
  report.days = cellTexts(1, 31);
  report.total = totale->text();
  report.first = primadec->text();
  report.second = secondadec->text();
  report.third = terzadec->text();
  const QString text = rainreport::dailyReport(report);
  Text2->setPlainText(text);
  salvaTesto(text);
}

printouts::PioggiaGiornaliera archiviopioggia::printValues(const QDate& month) const {
  printouts::PioggiaGiornaliera values;
  values.days = cellTexts(1, 31);
  values.totale = totale->text();
  values.month = month.month();
  values.year = month.year();
  return values;
}

void archiviopioggia::Timer1_Timer() {
  for (QLineEdit* cell : Text1)
    setFieldBackground(cell, rainreport::isRainyDay(cell->text()) ? kRainColour : QColor());
  setFieldBackground(Text2, rainreport::isRainyDay(Text2->toPlainText()) ? kRainColour : QColor());
}
