#include "sheets/pioggiaanno.h"

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "common/fieldwarning.h"
#include "common/widgets.h"
#include "rules/entrychecks.h"
#include "rules/months.h"
#include "rules/rainreport.h"
#include "sheets/cellinput.h"

namespace {

const QString kInitialCaption = QStringLiteral("0.");
const QString kZero = QStringLiteral("0");

using widgets::button;
using widgets::label;

}  // namespace

const QColor pioggiaanno::kWetColour = QColor(255, 255, 192);

pioggiaanno::pioggiaanno(AppContext& ctx)
    : SheetWindow(ctx, "pioggiaanno", QStringLiteral("Precipitazioni anno corrente")) {
  buildWindow();

  // The load: the cells from the sheet file, then today in the picker.
  setSheetFile(QLatin1String(sheetfile::kYearRain.fileName), {Text1.begin(), Text1.end()});
  sbLeggiFileA();
  DTPicker1->setDate(QDate::currentDate());
  // A month below zero or not a number is marked; the keeper may keep it.
  for (int month = 1; month <= 12; ++month) {
    QLineEdit* cell = monthCell(month);
    auto mark = [cell] {
      fieldwarning::set(cell, entrychecks::monthlyRain(cell->text()) +
                                  entrychecks::notANumber(cell->text(), true,
                                                          entrychecks::kNotANumberStopsTotal));
    };
    connect(cell, &QLineEdit::textChanged, this, mark);
    mark();
  }

  Timer1 = widgets::named<QTimer>(this, "Timer1");
  Timer1->setInterval(200);
  connect(Timer1, &QTimer::timeout, this, &pioggiaanno::Timer1_Timer);
  Timer1->start();
  Timer1_Timer();
}

void pioggiaanno::buildWindow() {
  auto* outer = new QVBoxLayout(this);
  auto* label1 = label(this, "Label1",
                       QStringLiteral("Inserite nei campi sottostanti gli accumuli di pioggia "
                                      "totali dell'anno corrente."));
  label1->setWordWrap(true);
  outer->addWidget(label1);

  auto* yearRow = new QHBoxLayout;
  auto* yearLabel = label(this, "Label2", QStringLiteral("Anno corrente:"));
  DTPicker1 = widgets::named<QDateEdit>(this, "DTPicker1");
  DTPicker1->setDisplayFormat(QStringLiteral("yyyy"));
  DTPicker1->setCalendarPopup(true);
  DTPicker1->setMinimumWidth(90);
  yearLabel->setBuddy(DTPicker1);
  yearRow->addWidget(yearLabel);
  yearRow->addWidget(DTPicker1);
  yearRow->addStretch(1);
  outer->addLayout(yearRow);

  auto* middle = new QHBoxLayout;
  auto* cells = new QGridLayout;
  cells->setHorizontalSpacing(8);
  QFont bold = font();
  bold.setBold(true);
  auto* first = label(this, "Label3", QStringLiteral("1° Semestre"));
  auto* second = label(this, "Label4", QStringLiteral("2° Semestre"));
  first->setFont(bold);
  second->setFont(bold);
  cells->addWidget(first, 0, 0, 1, 2);
  cells->addWidget(second, 0, 3, 1, 2);
  cells->setColumnMinimumWidth(2, 20);
  for (int i = 0; i <= 12; ++i) {
    auto* cell = new CellInput(this);
    cell->setObjectName(QStringLiteral("Text1_%1").arg(i));
    cell->setText(kZero);
    Text1[size_t(i)] = cell;
  }
  Text1[12]->hide();  // kept in the sheet file, never shown
  for (int month = 1; month <= 12; ++month) {
    auto* cell = static_cast<CellInput*>(monthCell(month));
    const QString name = months::name(month);
    cell->setEmptiesZeroOnFocus(true);
    cell->setToolTip(name);
    cell->setFixedWidth(90);
    auto* caption = new QLabel(name + QLatin1Char(':'), this);
    caption->setObjectName(QStringLiteral("mese_%1").arg(month));
    caption->setBuddy(cell);
    const int column = month <= 6 ? 0 : 3;
    const int row = (month - 1) % 6 + 1;
    cells->addWidget(caption, row, column);
    cells->addWidget(cell, row, column + 1);
  }
  middle->addLayout(cells);
  middle->addSpacing(16);

  auto* side = new QVBoxLayout;
  auto* results = new QGridLayout;
  totale = label(this, "totale", kInitialCaption);
  media = label(this, "media", kInitialCaption);
  primosem = label(this, "primosem", kInitialCaption);
  secondosem = label(this, "secondosem", kInitialCaption);
  QFont big = bold;
  big.setPointSize(12);
  totale->setFont(big);
  QPalette red = totale->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  totale->setPalette(red);
  const std::pair<const char*, const char*> captions[4] = {{"Label5", "Totale:"},
                                                           {"Label6", "Media mensile:"},
                                                           {"Label7", "Primo semestre:"},
                                                           {"Label8", "Secondo semestre:"}};
  QLabel* values[4] = {totale, media, primosem, secondosem};
  for (int r = 0; r < 4; ++r) {
    if (values[r] != totale) values[r]->setFont(bold);
    values[r]->setMinimumWidth(150);
    values[r]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    results->addWidget(label(this, captions[r].first, QString::fromUtf8(captions[r].second)), r, 0);
    results->addWidget(values[r], r, 1);
  }
  side->addLayout(results);
  side->addSpacing(12);
  Command1 = button(this, "Command1", QStringLiteral("&Totale precipitativo annuo"));
  QFont boldButton = Command1->font();
  boldButton.setBold(true);
  Command1->setFont(boldButton);
  Command2 = button(this, "Command2", QStringLiteral("S&vuota campi"));
  Command4 = button(this, "Command4", QStringLiteral("&Chiudi"));
  side->addWidget(Command1);
  side->addWidget(Command2);
  side->addWidget(Command4);
  side->addStretch(1);
  middle->addLayout(side);
  outer->addLayout(middle);

  Frame1 = widgets::named<QGroupBox>(this, "Frame1", QStringLiteral("Operazioni correlate"));
  auto* related = new QHBoxLayout(Frame1);
  Command6 = button(Frame1, "Command6", QStringLiteral("Salva con nome..."),
                    QStringLiteral("Salva i valori mensili in formato testuale con nome"));
  Command3 = button(Frame1, "Command3", QStringLiteral("&Aggiorna"),
                    QStringLiteral("Salva le modifiche apportate alla schermata"));
  Command5 = button(Frame1, "Command5", QStringLiteral("St&ampa..."),
                    QStringLiteral("Stampa i valori immessi e calcolati"));
  Command8 = button(Frame1, "Command8", QStringLiteral("Riepilogo mensile..."),
                    QStringLiteral("Crea il Riepilogo Mensile"));
  clima = button(Frame1, "clima", QStringLiteral("C&lima..."),
                 QStringLiteral("Cifre, resoconti e grafici del clima della stazione"));
  for (QPushButton* b : {Command6, Command3, Command5, Command8, clima}) related->addWidget(b);
  outer->addWidget(Frame1);
  Command6->setEnabled(false);
  Command5->setEnabled(false);

  Text2 = widgets::named<QPlainTextEdit>(this, "Text2");
  Text2->hide();

  connect(Command1, &QPushButton::clicked, this, &pioggiaanno::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &pioggiaanno::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &pioggiaanno::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &pioggiaanno::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &pioggiaanno::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &pioggiaanno::Command6_Click);
  connect(Command8, &QPushButton::clicked, this, &pioggiaanno::Command8_Click);
  connect(clima, &QPushButton::clicked, this,
          [this] { ctx_.mainWindow()->apriClima(DTPicker1->date().year(), 0); });

  // January to December, then the picker and the buttons.
  QWidget* previous = monthCell(1);
  for (int month = 2; month <= 12; ++month) {
    setTabOrder(previous, monthCell(month));
    previous = monthCell(month);
  }
  for (QWidget* next :
       std::initializer_list<QWidget*>{DTPicker1, Command1, Command2, Command4, Command6, Command3,
                                       Command5, Command8, clima}) {
    setTabOrder(previous, next);
    previous = next;
  }
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QStringList pioggiaanno::monthTexts() const {
  QStringList texts;
  for (int month = 1; month <= 12; ++month) texts.append(monthCell(month)->text());
  return texts;
}

void pioggiaanno::Command1_Click() {
  const auto figures = rainreport::yearFigures(monthTexts());
  if (!figures) {
    ctx_.dialogs().message(this, rainreport::kTypingError, MsgIcon::Exclamation);
    return;
  }
  totale->setText(rainreport::millimetres(figures->total));
  media->setText(num::formatPattern(figures->mean) + QStringLiteral(" mm"));
  primosem->setText(num::formatPattern(figures->firstHalf));
  secondosem->setText(num::formatPattern(figures->secondHalf));
  Command2->setEnabled(true);
  Command6->setEnabled(true);
  Command5->setEnabled(true);
}

void pioggiaanno::Command2_Click() { svuota(); }

void pioggiaanno::svuota() {
  for (QLineEdit* cell : Text1) cell->setText(kZero);
  Text2->setPlainText(kZero);
  for (QLabel* l : {primosem, secondosem, totale, media}) l->setText(kInitialCaption);
  Command2->setEnabled(false);
  Command1->setEnabled(true);
  Command6->setEnabled(false);
  Command5->setEnabled(false);
}

void pioggiaanno::Command3_Click() { aggiorna(); }

void pioggiaanno::Command4_Click() { close(); }

void pioggiaanno::Command5_Click() { ctx_.mainWindow()->apriStampa(this); }

void pioggiaanno::Command6_Click() {
  rainreport::YearReport report;
  report.station = ctx_.config().nome;
  report.year = DTPicker1->date().year();
  report.months = monthTexts();
  report.total = totale->text();
  report.firstHalf = primosem->text();
  report.secondHalf = secondosem->text();
  report.mean = media->text();
  const QString text = rainreport::yearReport(report);
  Text2->setPlainText(text);
  salvaTesto(text);
}

void pioggiaanno::Command8_Click() {
  // The summary comes up over this sheet, but the keeper goes on in the main window.
  MainWindow* main = ctx_.mainWindow();
  main->apriMese(this, false);
  main->giveFocusBack();
}

printouts::PioggiaAnno pioggiaanno::printValues() const {
  printouts::PioggiaAnno values;
  values.months = monthTexts();
  values.totale = totale->text();
  values.primosem = primosem->text();
  values.secondosem = secondosem->text();
  values.media = media->text();
  values.year = DTPicker1->date().year();
  return values;
}

void pioggiaanno::Timer1_Timer() {
  for (QLineEdit* cell : Text1)
    setFieldBackground(cell, rainreport::isWetMonth(cell->text()) ? kWetColour : QColor());
  setFieldBackground(Text2, rainreport::isWetMonth(Text2->toPlainText()) ? kWetColour : QColor());
}
