#include "sheets/medietemperature.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "archive/dialog4.h"
#include "common/appcontext.h"
#include "common/fieldwarning.h"
#include "common/historystore.h"
#include "common/widgets.h"
#include "rules/entrychecks.h"
#include "rules/numbers.h"
#include "rules/tempreport.h"
#include "sheets/cellinput.h"

const QColor medietemperature::kBelowZero(158, 221, 248);

namespace {

const QString kInitialCaption = QStringLiteral("0.");

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& tip = {}, bool bold = false) {
  auto* b = widgets::button(parent, name, caption, tip, bold);
  // Enter on a focused button presses that button; elsewhere it saves the sheet.
  b->setAutoDefault(true);
  return b;
}

}  // namespace

medietemperature::medietemperature(AppContext& ctx)
    : SheetWindow(ctx, "medietemperature",
                  QStringLiteral("Temperature giornaliere e media mensile"),
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                      Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  for (int i = 0; i < kFields; ++i) Text1[i] = makeField(i);
  Text1[0]->hide();
  // The day-1 minimum takes any length.
  Text1[1]->setMaxLength(32767);

  Text2 = widgets::named<QPlainTextEdit>(this, "Text2");
  Text2->hide();

  mediamax = widgets::label(this, "mediamax", kInitialCaption, true);
  decadeunomin = widgets::label(this, "decadeunomin", kInitialCaption);
  decadeduemin = widgets::label(this, "decadeduemin", kInitialCaption);
  decadetremin = widgets::label(this, "decadetremin", kInitialCaption);
  mediamin = widgets::label(this, "mediamin", kInitialCaption, true);
  decadeunomax = widgets::label(this, "decadeunomax", kInitialCaption);
  decadeduemax = widgets::label(this, "decadeduemax", kInitialCaption);
  decadetremax = widgets::label(this, "decadetremax", kInitialCaption);

  Label7 = widgets::label(this, "Label7", QStringLiteral("Calcolo medie minime"), true);
  Label8 = widgets::label(this, "Label8", QStringLiteral("Calcolo medie massime"), true);
  Label12 =
      widgets::label(this, "Label12",
                     QStringLiteral("Digitate giorno dopo giorno o alla fine del mese tutti i "
                                    "valori di temperatura minimi registrati e fate clic su "
                                    "\"Media valori MIN\"per ottenere la media."));
  Label4 = widgets::label(this, "Label4",
                          QStringLiteral("Digitate giorno dopo giorno o alla fine del mese tutti i "
                                         "valori di temperatura massimi registrati e fate clic su "
                                         "\"Media valori MAX\"per ottenere la media."));

  Command1 = makeButton(this, "Command1", QStringLiteral("Media valori &MIN"),
                        QStringLiteral("Calcola la medias dei valori minimi"), true);
  Command3 = makeButton(this, "Command3", QStringLiteral("Media valori MA&X"),
                        QStringLiteral("Calcola la media dei valori massimi"), true);
  Command5 = makeButton(this, "Command5", QStringLiteral("&Aggiorna"),
                        QStringLiteral("Salva le modifiche apportate alla schermata"));
  Command5->setDefault(true);
  Command2 = makeButton(this, "Command2", QStringLiteral("S&vuota campi"),
                        QStringLiteral("Cancella TUTTI i valori immessi e calcolati"));
  Command4 = makeButton(this, "Command4", QStringLiteral("S&tampa..."),
                        QStringLiteral("Stampa i valori immessi e calcolati"));
  CommandButton3 = makeButton(this, "CommandButton3", QStringLiteral("&Chiudi"));
  Command7 = makeButton(this, "Command7", QStringLiteral("&Archivia medie appena calcolate >"),
                        QStringLiteral("Archivia le medie calcolate nel database di Nubilario"));
  Command7->setEnabled(false);
  Command6 = makeButton(this, "Command6", QStringLiteral("Riepilogo Mensile..."),
                        QStringLiteral("Crea il Riepilogo Mensile"));
  clima = makeButton(this, "clima", QStringLiteral("C&lima..."),
                     QStringLiteral("Cifre, resoconti e grafici del clima della stazione"));
  Command8 = makeButton(this, "Command8", QStringLiteral("Salva..."),
                        QStringLiteral("Salva i valori mensili in formato testuale con nome"));
  Command8->setEnabled(false);

  Label9 = widgets::label(this, "Label9", QStringLiteral("Mese corrente:"));
  DTPicker1 = widgets::named<QDateEdit>(this, "DTPicker1");
  DTPicker1->setDisplayFormat(QStringLiteral("MMMM, yyyy"));
  DTPicker1->setCalendarPopup(true);
  DTPicker1->setMinimumWidth(
      DTPicker1->fontMetrics().horizontalAdvance(QStringLiteral("settembre, 2000")) + 48);
  Label9->setBuddy(DTPicker1);

  // Layout: minima on the left, maxima on the right, the commands below.
  auto* halves = new QHBoxLayout;
  halves->setSpacing(18);
  halves->addWidget(buildHalf(true), 1);
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  halves->addWidget(line);
  halves->addWidget(buildHalf(false), 1);

  auto* month = new QHBoxLayout;
  month->addWidget(Label9);
  month->addWidget(DTPicker1);
  month->addStretch(1);
  month->addWidget(Command7);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command5);
  buttons->addWidget(Command2);
  buttons->addWidget(Command8);
  buttons->addWidget(Command4);
  buttons->addWidget(Command6);
  buttons->addWidget(clima);
  buttons->addStretch(1);
  buttons->addWidget(CommandButton3);

  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);

  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(12, 10, 12, 12);
  v->addLayout(halves);
  v->addWidget(rule);
  v->addLayout(month);
  v->addLayout(buttons);
  v->setSizeConstraint(QLayout::SetFixedSize);

  // Tab order: the minima day by day, then the maxima, then the commands.
  QWidget* previous = Text1[1];
  for (int i = 2; i < kFields; ++i) {
    setTabOrder(previous, Text1[i]);
    previous = Text1[i];
  }
  for (QWidget* w :
       std::initializer_list<QWidget*>{Command1, Command3, DTPicker1, Command7, Command5, Command2,
                                       Command8, Command4, Command6, clima, CommandButton3}) {
    setTabOrder(previous, w);
    previous = w;
  }

  connect(Command1, &QPushButton::clicked, this, &medietemperature::Command1_Click);
  connect(Command3, &QPushButton::clicked, this, &medietemperature::Command3_Click);
  connect(Command5, &QPushButton::clicked, this, &medietemperature::Command5_Click);
  connect(Command2, &QPushButton::clicked, this, &medietemperature::Command2_Click);
  connect(Command4, &QPushButton::clicked, this, &medietemperature::Command4_Click);
  connect(CommandButton3, &QPushButton::clicked, this, &medietemperature::CommandButton3_Click);
  connect(Command7, &QPushButton::clicked, this, &medietemperature::Command7_Click);
  connect(Command6, &QPushButton::clicked, this, &medietemperature::Command6_Click);
  connect(Command8, &QPushButton::clicked, this, &medietemperature::Command8_Click);
  connect(clima, &QPushButton::clicked, this,
          [this] { ctx_.mainWindow()->apriClima(year(), DTPicker1->date().month()); });

  Timer1 = widgets::named<QTimer>(this, "Timer1");
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, &medietemperature::Timer1_Timer);
  Timer2 = widgets::named<QTimer>(this, "Timer2");
  Timer2->setInterval(200);
  connect(Timer2, &QTimer::timeout, this, &medietemperature::Timer2_Timer);

  // The load: today's month, the sheet's path, then its file.
  DTPicker1->setDate(QDate::currentDate());
  setSheetFile(QLatin1String(sheetfile::kTemperatures.fileName), {Text1.begin(), Text1.end()});
  sbLeggiFileA();
  for (int i = 1; i < kFields; ++i)
    connect(Text1[size_t(i)], &QLineEdit::textChanged, this, &medietemperature::controlla);
  controlla();

  Timer1->start();
  Timer2->start();
}

QLineEdit* medietemperature::makeField(int index) {
  // A cell drops "|" and line breaks (the sheet file cannot hold them) and
  // turns a typed "." into ",".
  auto* f = new CellInput(this);
  f->setObjectName(QStringLiteral("Text1_%1").arg(index));
  f->setMaxLength(5);
  f->setAlignment(Qt::AlignRight);
  f->setFixedWidth(f->fontMetrics().horizontalAdvance(QStringLiteral("-00,00")) + 18);
  if (index > 0) {
    const int day = index <= 31 ? index : index - 31;
    const QString tip = QString::number(day) + QStringLiteral("° Giorno");
    f->setToolTip(tip);
    f->setAccessibleName((index <= 31 ? QStringLiteral("Minima, ") : QStringLiteral("Massima, ")) +
                         tip);
  }
  return f;
}

QWidget* medietemperature::buildHalf(bool minima) {
  auto* half = new QWidget(this);
  auto* v = new QVBoxLayout(half);
  v->setContentsMargins(0, 0, 0, 0);

  QLabel* heading = minima ? Label7 : Label8;
  QLabel* instruction = minima ? Label12 : Label4;
  v->addWidget(heading);

  // The instruction on its banner, with a picture.
  auto* banner = new QFrame(half);
  banner->setFrameShape(QFrame::StyledPanel);
  banner->setAutoFillBackground(true);
  banner->setBackgroundRole(QPalette::Base);
  auto* bh = new QHBoxLayout(banner);
  auto* picture = new QLabel(banner);
  picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  picture->setAlignment(Qt::AlignTop);
  bh->addWidget(picture);
  instruction->setParent(banner);
  instruction->setWordWrap(true);
  instruction->setFixedWidth(250);
  bh->addWidget(instruction, 1);
  v->addWidget(banner);

  // Two columns of days: 1 to 16 and 17 to 31, each day with its number.
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(2);
  const int base = minima ? 0 : 31;
  for (int day = 1; day <= 31; ++day) {
    const int column = day <= 16 ? 0 : 3;
    const int row = day <= 16 ? day - 1 : day - 17;
    auto* number = new QLabel(QString::number(day), half);
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // In the normal text colour: a day number must read as well as the value beside it.
    number->setBuddy(Text1[base + day]);
    grid->addWidget(number, row, column);
    grid->addWidget(Text1[base + day], row, column + 1);
  }
  grid->setColumnMinimumWidth(2, 24);
  grid->setColumnStretch(5, 1);
  v->addLayout(grid);

  v->addWidget(minima ? Command1 : Command3, 0, Qt::AlignLeft);

  auto* results = new QGridLayout;
  const std::array<QLabel*, 4> labels =
      minima ? std::array<QLabel*, 4>{mediamax, decadeunomin, decadeduemin, decadetremin}
             : std::array<QLabel*, 4>{mediamin, decadeunomax, decadeduemax, decadetremax};
  const QString captions[4] = {minima ? QStringLiteral("Media valori minimi (°C):")
                                      : QStringLiteral("Media valori massimi (°C):"),
                               QStringLiteral("Prima decade:"), QStringLiteral("Seconda decade:"),
                               QStringLiteral("Terza decade:")};
  for (int i = 0; i < 4; ++i) {
    auto* caption = new QLabel(captions[i], half);
    if (i == 0) {
      QFont f = caption->font();
      f.setBold(true);
      caption->setFont(f);
    }
    results->addWidget(caption, i, 0);
    results->addWidget(labels[i], i, 1);
  }
  results->setColumnStretch(1, 1);
  v->addLayout(results);
  v->addStretch(1);
  return half;
}

void medietemperature::keyPressEvent(QKeyEvent* event) {
  // "&Aggiorna" is the default button: Enter in a field saves the sheet.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Command5->isEnabled()) {
    Command5->animateClick();
    return;
  }
  QWidget::keyPressEvent(event);
}

void medietemperature::showMeans(int first, const std::array<QLabel*, 4>& labels) {
  QStringList days;
  for (int i = first; i < first + 31; ++i) days << Text1[i]->text();
  // The list stops at the first range without a value: later labels keep their caption.
  const QStringList captions = tempreport::meanCaptions(days);
  for (int i = 0; i < captions.size(); ++i) labels[i]->setText(captions[i]);
}

void medietemperature::Command1_Click() {
  showMeans(1, {mediamax, decadeunomin, decadeduemin, decadetremin});
}

void medietemperature::Command3_Click() {
  showMeans(32, {mediamin, decadeunomax, decadeduemax, decadetremax});
}

void medietemperature::Command5_Click() { aggiorna(); }

void medietemperature::Command2_Click() { svuota(); }

void medietemperature::svuota() {
  for (QLineEdit* f : Text1) f->setText(QString());
  Text2->setPlainText(QString());
  for (QLabel* l : {mediamax, decadeunomin, decadeduemin, decadetremin, mediamin, decadeunomax,
                    decadeduemax, decadetremax})
    l->setText(kInitialCaption);
}

void medietemperature::Command4_Click() { ctx_.mainWindow()->apriStampa(this); }

void medietemperature::Command6_Click() { ctx_.mainWindow()->apriMese(this, true); }

void medietemperature::CommandButton3_Click() {
  if (MainWindow* main = ctx_.existingMainWindow()) main->giveFocusBack();
  close();
}

void medietemperature::Command7_Click() {
  Dialog4 dialog(ctx_, this);
  // The captions go over as shown, the maxima's mean first.
  dialog.setMeans(mediamin->text(), mediamax->text());
  if (MainWindow* main = ctx_.existingMainWindow())
    main->showPanel(ArchiveKind::Temperature, false);
  ctx_.dialogs().runModal(dialog);
  // The month the keeper archived the means under is the month of these days.
  if (dialog.result() == QDialog::Accepted)
    historystore::store(ctx_, this, history::Way::HandOver, history::Sheet::Temperature,
                        dialog.year(), dialog.month(), minima(), maxima());
}

QStringList medietemperature::minima() const {
  QStringList l;
  for (int d = 1; d <= 31; ++d) l << Text1[size_t(d)]->text();
  return l;
}

QStringList medietemperature::maxima() const {
  QStringList l;
  for (int d = 1; d <= 31; ++d) l << Text1[size_t(31 + d)]->text();
  return l;
}

void medietemperature::controlla() {
  const auto w = entrychecks::dailyTemperatures(minima(), maxima());
  for (int d = 1; d <= 31; ++d) {
    fieldwarning::set(Text1[size_t(d)], w.minima[d - 1]);
    fieldwarning::set(Text1[size_t(31 + d)], w.maxima[d - 1]);
  }
}

QString medietemperature::reportText() const {
  QStringList minima, maxima;
  for (int d = 1; d <= 31; ++d) {
    minima << Text1[d]->text();
    maxima << Text1[31 + d]->text();
  }
  const tempreport::Captions captions{
      mediamax->text(), decadeunomin->text(), decadeduemin->text(), decadetremin->text(),
      mediamin->text(), decadeunomax->text(), decadeduemax->text(), decadetremax->text()};
  return tempreport::compose(ctx_.config().nome, month(), year(), minima, maxima, captions);
}

printouts::TemperatureGiornaliere medietemperature::printValues() const {
  printouts::TemperatureGiornaliere values;
  for (int d = 1; d <= 31; ++d) {
    values.minima << Text1[size_t(d)]->text();
    values.maxima << Text1[size_t(31 + d)]->text();
  }
  values.month = month();
  values.year = year();
  return values;
}

void medietemperature::Command8_Click() {
  const QString report = reportText();
  Text2->setPlainText(report);
  salvaTesto(report);
}

void medietemperature::Timer1_Timer() {
  const auto minima = num::readLocale(mediamax->text());
  const auto maxima = num::readLocale(mediamin->text());
  const bool computed = minima && maxima && *minima != 0 && *maxima != 0;
  if (Command7->isEnabled() != computed) Command7->setEnabled(computed);
  if (Command8->isEnabled() != computed) Command8->setEnabled(computed);
}

void medietemperature::Timer2_Timer() {
  for (QLineEdit* f : Text1) {
    const auto value = num::readLocale(f->text());
    setFieldBackground(f, value && *value < 0 ? kBelowZero : QColor());
  }
}
