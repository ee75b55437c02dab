#include "summary/mese.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "common/appcontext.h"
#include "common/historystore.h"
#include "common/mainwindow.h"
#include "common/widgets.h"
#include "rules/climate.h"
#include "rules/summarytext.h"

const QString mese::kPlaceholder = QStringLiteral(
    "<Cliccare su \"Trasforma in formato testuale\" per creare il riepilogo qui dentro>");

namespace {

const QString kPrintError = QStringLiteral(
    "Errore durante il trasferimento dei dati alla stampante. Possibile causa: la stampante è "
    "spenta o non risponde.");
const QString kSaveError = QStringLiteral(
    "Impossibile salvare il riepilogo nel file scelto. Controllare che la cartella esista, che il "
    "file non sia in uso e che il disco non sia pieno o protetto da scrittura.");

// The fields in the order the Tab key visits them: the minima column, the
// maxima column, the sky, the precipitation.
constexpr std::array<int, 18> kTabOrder = {0, 2,  4,  6,  8,  1,  3,  5,  7,
                                           9, 15, 16, 17, 10, 11, 12, 13, 14};

using widgets::button;

QLabel* heading(QWidget* parent, const char* name, const QString& caption, const QColor& colour) {
  auto* l = widgets::label(parent, name, caption);
  QFont f = l->font();
  f.setBold(true);
  f.setPointSize(12);
  l->setFont(f);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, colour);
  l->setPalette(p);
  return l;
}

}  // namespace

mese::mese(AppContext& ctx) : SheetWindow(ctx, "mese", QStringLiteral("Riepilogo Mensile")) {
  build();
  // The load: today's month; the fields start empty and the box holds the placeholder.
  DTPicker1->setDate(QDate::currentDate());
  Textbbb->setPlainText(kPlaceholder + QStringLiteral("\r\n"));
  // The buttons follow the box from its first change on.
  connect(Textbbb, &QPlainTextEdit::textChanged, this, &mese::Textbbb_Change);
  salvato_ = contenuto();
}

QStringList mese::contenuto() const {
  QStringList c;
  for (QLineEdit* e : Text1) c << e->text();
  QString box = Textbbb->toPlainText();
  if (box.trimmed() == kPlaceholder.trimmed()) box.clear();
  return c << box;
}

bool mese::saveChanges() {
  // Figures typed but never composed would leave only the placeholder in the
  // file: they are composed first, as "Trasforma in formato testuale" would.
  if (contenuto().constLast().isEmpty()) Command1_Click();
  return salva();
}

bool mese::salva() {
  if (!salvaTesto(testoRiepilogo())) return false;
  salvato_ = contenuto();
  return true;
}

void mese::build() {
  auto* root = new QVBoxLayout(this);

  DTPicker1 = widgets::named<QDateEdit>(this, "DTPicker1");
  DTPicker1->setDisplayFormat(QStringLiteral("MMMM, yyyy"));
  DTPicker1->setCalendarPopup(true);
  DTPicker1->setToolTip(QStringLiteral("Mese del riepilogo"));
  DTPicker1->setAccessibleName(QStringLiteral("Mese del riepilogo"));
  DTPicker1->setMinimumWidth(180);
  auto* top = new QHBoxLayout;
  top->addWidget(DTPicker1);
  top->addStretch(1);
  root->addLayout(top);

  // Each field as wide as the figure it takes, so that the window fits a
  // screen of 1024 by 768; the day of the greatest precipitation takes a date.
  const int figureWidth = fontMetrics().horizontalAdvance(QStringLiteral("-000,00")) + 18;
  const int dateWidth = fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000")) + 18;
  for (int i = 0; i < summary::kFieldCount; ++i) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QStringLiteral("Text1_%1").arg(i));
    e->installEventFilter(this);
    e->setFixedWidth(i == 13 ? dateWidth : figureWidth);
    Text1[i] = e;
  }
  // A caption beside its field; the caption names the field for screen readers.
  auto row = [this](QGridLayout* g, int r, int c, const QString& caption, int field) {
    auto* l = new QLabel(caption, this);
    l->setBuddy(Text1[field]);
    Text1[field]->setAccessibleName(caption);
    g->addWidget(l, r, c);
    g->addWidget(Text1[field], r, c + 1);
  };

  // Temperatures: minima on the left, maxima on the right.
  auto* temperature = widgets::named<QGroupBox>(this, "Frame1", QStringLiteral("Temperature"));
  auto* tg = new QGridLayout(temperature);
  tg->setHorizontalSpacing(10);
  tg->addWidget(heading(temperature, "Label1", QStringLiteral("MINIME"), QColor(0, 0, 128)), 0, 0,
                1, 2, Qt::AlignHCenter);
  tg->addWidget(heading(temperature, "Label2", QStringLiteral("MASSIME"), QColor(255, 0, 0)), 0, 3,
                1, 2, Qt::AlignHCenter);
  tg->addWidget(new QLabel(QStringLiteral("Medie:"), temperature), 1, 0);
  tg->addWidget(new QLabel(QStringLiteral("Medie:"), temperature), 1, 3);
  row(tg, 2, 0, QStringLiteral("Media minima:"), 0);
  row(tg, 3, 0, QStringLiteral("1° decade:"), 2);
  row(tg, 4, 0, QStringLiteral("2° decade:"), 4);
  row(tg, 5, 0, QStringLiteral("3° decade:"), 6);
  row(tg, 6, 0, QStringLiteral("Temperatura minima mensile:"), 8);
  row(tg, 2, 3, QStringLiteral("Media massima:"), 1);
  row(tg, 3, 3, QStringLiteral("1° decade:"), 3);
  row(tg, 4, 3, QStringLiteral("2° decade:"), 5);
  row(tg, 5, 3, QStringLiteral("3° decade:"), 7);
  row(tg, 6, 3, QStringLiteral("Temperatura massima mensile:"), 9);
  tg->setColumnMinimumWidth(2, 16);
  tg->setRowStretch(7, 1);
  // The decade fields would otherwise read the same to a screen reader.
  Text1[2]->setAccessibleName(QStringLiteral("Media minima 1° decade"));
  Text1[4]->setAccessibleName(QStringLiteral("Media minima 2° decade"));
  Text1[6]->setAccessibleName(QStringLiteral("Media minima 3° decade"));
  Text1[3]->setAccessibleName(QStringLiteral("Media massima 1° decade"));
  Text1[5]->setAccessibleName(QStringLiteral("Media massima 2° decade"));
  Text1[7]->setAccessibleName(QStringLiteral("Media massima 3° decade"));

  // Sky and precipitation.
  auto* sky =
      widgets::named<QGroupBox>(this, "Frame2", QStringLiteral("Stato del cielo e precipitazioni"));
  auto* sg = new QGridLayout(sky);
  sg->setHorizontalSpacing(10);
  row(sg, 0, 0, QStringLiteral("Giorni con cielo SERENO:"), 15);
  row(sg, 1, 0, QStringLiteral("Giorni con cielo NUVOLOSO:"), 16);
  row(sg, 2, 0, QStringLiteral("Giorni con cielo COPERTO:"), 17);
  sg->setRowMinimumHeight(3, 8);
  row(sg, 4, 0, QStringLiteral("Totale precipitativo mensile:"), 10);
  row(sg, 5, 0, QStringLiteral("N° di eventi:"), 11);
  row(sg, 6, 0, QStringLiteral("Accumulo maggiore mensile:"), 12);
  auto* il = new QLabel(QStringLiteral("il"), sky);
  il->setBuddy(Text1[13]);
  il->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Text1[13]->setAccessibleName(QStringLiteral("Giorno dell'accumulo maggiore (gg/mm/aaaa)"));
  // "il", the date and its pattern on one line under the captions and the
  // fields, with no column of their own to widen the frame.
  auto* day = new QHBoxLayout;
  day->setSpacing(6);
  day->addStretch(1);
  day->addWidget(il);
  day->addWidget(Text1[13]);
  day->addWidget(new QLabel(QStringLiteral("(gg/mm/aaaa)"), sky));
  sg->addLayout(day, 7, 0, 1, 2);
  row(sg, 8, 0, QStringLiteral("Totale precipitativo annuo attuale:"), 14);
  sg->setRowStretch(9, 1);

  // The sheets the figures are read from.
  Command6 = button(this, "Command6", QStringLiteral("Precipitazioni giornaliere"));
  Command7 = button(this, "Command7", QStringLiteral("Temperature giornaliere"));
  Command8 = button(this, "Command8", QStringLiteral("Precipitazioni anno"));
  top->addWidget(Command7);
  top->addWidget(Command6);
  top->addWidget(Command8);

  auto* frames = new QHBoxLayout;
  frames->addWidget(temperature);
  frames->addWidget(sky);
  root->addLayout(frames);

  Command1 = button(this, "Command1", QStringLiteral("Trasforma in formato testuale >>>"));
  QFont bold = Command1->font();
  bold.setBold(true);
  Command1->setFont(bold);
  auto* compose = new QHBoxLayout;
  storico = button(this, "storico", QStringLiteral("Riempi dallo &storico"),
                   QStringLiteral("Scrive nei campi le cifre del mese dallo storico giornaliero"));
  clima = button(this, "clima", QStringLiteral("C&lima..."),
                 QStringLiteral("Cifre, resoconti e grafici del clima della stazione"));
  compose->addWidget(Command1);
  compose->addStretch(1);
  compose->addWidget(storico);
  compose->addWidget(clima);
  root->addLayout(compose);

  Textbbb = widgets::named<QPlainTextEdit>(this, "Textbbb");
  Textbbb->setAccessibleName(QStringLiteral("Riepilogo mensile"));
  Textbbb->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Textbbb->setTabChangesFocus(true);
  Textbbb->setMinimumHeight(220);
  Command2 = button(this, "Command2", QStringLiteral("Copia"));
  Command3 = button(this, "Command3", QStringLiteral("Salva..."));
  Command4 = button(this, "Command4", QStringLiteral("Stampa"));
  Command5 = button(this, "Command5", QStringLiteral("Reset"));
  auto* actions = new QVBoxLayout;
  for (QPushButton* b : {Command2, Command3, Command4, Command5}) actions->addWidget(b);
  actions->addStretch(1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Textbbb, 1);
  bottom->addLayout(actions);
  root->addLayout(bottom, 1);

  // Tab order: the month, the eighteen fields, then the commands.
  QList<QWidget*> chain{DTPicker1};
  for (int i : kTabOrder) chain << Text1[i];
  chain << Command7 << Command6 << Command8 << Command1 << Textbbb << Command2 << Command3
        << Command4 << Command5;
  for (int i = 0; i + 1 < chain.size(); ++i) setTabOrder(chain[i], chain[i + 1]);
  DTPicker1->setFocus();

  connect(Command1, &QPushButton::clicked, this, &mese::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &mese::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &mese::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &mese::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &mese::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &mese::Command6_Click);
  connect(Command7, &QPushButton::clicked, this, &mese::Command7_Click);
  connect(Command8, &QPushButton::clicked, this, &mese::Command8_Click);
  connect(storico, &QPushButton::clicked, this, &mese::storico_Click);
  connect(clima, &QPushButton::clicked, this, [this] {
    ctx_.mainWindow()->apriClima(DTPicker1->date().year(), DTPicker1->date().month());
  });

  resize(sizeHint().width(), sizeHint().height() + 80);
}

QString mese::testoRiepilogo() const {
  // The box keeps its lines as paragraphs; the summary's lines end in CR LF.
  QString text = Textbbb->toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

void mese::Command1_Click() {
  QStringList fields;
  for (QLineEdit* e : Text1) fields << e->text();
  const QDate month = DTPicker1->date();
  Textbbb->setPlainText(summary::composeText(month.month(), month.year(), fields));
}

void mese::Command2_Click() {
  // Plain text with the platform's line ends (the clipboard turns them into
  // CR LF on systems that expect it).
  ctx_.clipboard().clear();
  ctx_.clipboard().setText(Textbbb->toPlainText());
}

void mese::Command3_Click() { salva(); }

QString mese::reportNotSavedMessage(const QString&) const { return kSaveError; }

void mese::Command4_Click() {
  const QString station = ctx_.config().nome;
  try {
    TextPrinter& printer = ctx_.printer();
    printer.printLine({PrintItem::txt(QString())});
    printer.printLine({PrintItem::txt(QStringLiteral("Stazione meteorologica ") + station)});
    printer.printLine({PrintItem::txt(testoRiepilogo())});
    printer.endDoc();
  } catch (const std::exception&) {
    // Lines already sent go with the dropped document, not into the next printout.
    ctx_.printer().abortDoc();
    ctx_.dialogs().message(this, kPrintError, MsgIcon::Critical, MsgButtons::Ok, kTitle);
  }
}

void mese::Command5_Click() {
  // Every text field empties, the month stays; the placeholder comes back
  // without a line end.
  for (QLineEdit* e : Text1) e->clear();
  Textbbb->clear();
  Textbbb->setPlainText(kPlaceholder);
}

// The sheets opened from here stay parented to the main window, so closing
// the summary never takes a sheet's unsaved edits with it.
void mese::Command6_Click() { ctx_.mainWindow()->apriArchiviopioggia(); }

void mese::Command7_Click() { ctx_.mainWindow()->apriMedietemperature(); }

void mese::Command8_Click() { ctx_.mainWindow()->apriPioggiaanno(this); }

void mese::storico_Click() {
  QString error;
  DailyHistory* h = ctx_.history(&error);
  if (!h) {
    ctx_.dialogs().failure(
        this, QStringLiteral("Impossibile leggere lo storico giornaliero (giornaliero.mdb)."),
        error);
    return;
  }
  const QDate month = DTPicker1->date();
  const climate::Station station(h->numbers(), {});
  const climate::MonthSummary m = climate::monthSummary(station, month.year(), month.month());
  const std::pair<int, QString> fields[] = {
      {0, m.meanMin},      {1, m.meanMax},      {2, m.decadeMin[0]}, {3, m.decadeMax[0]},
      {4, m.decadeMin[1]}, {5, m.decadeMax[1]}, {6, m.decadeMin[2]}, {7, m.decadeMax[2]},
      {8, m.lowestMin},    {9, m.highestMax},   {10, m.total},       {11, m.events},
      {12, m.wettest},     {13, m.wettestDate}, {14, m.yearTotal}};
  const QString name = QLocale(QLocale::Italian).toString(month, QStringLiteral("MMMM yyyy"));
  bool any = false, replaces = false;
  for (const auto& [i, text] : fields) {
    any = any || (i != 14 && !text.isEmpty());  // the year's total alone is no month
    replaces =
        replaces || (!text.isEmpty() && !Text1[i]->text().isEmpty() && Text1[i]->text() != text);
  }
  if (!any) {
    ctx_.dialogs().message(
        this,
        QStringLiteral("Lo storico giornaliero non ha giorni di ") + name + QStringLiteral("."),
        MsgIcon::Information);
    return;
  }
  if (replaces &&
      ctx_.dialogs().message(this,
                             QStringLiteral("Sostituire le cifre già scritte con quelle dello "
                                            "storico di ") +
                                 name + QStringLiteral("?"),
                             MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
    return;
  // Only what the history gives is written; the sky and the rest stay as typed.
  for (const auto& [i, text] : fields)
    if (!text.isEmpty()) Text1[i]->setText(text);
}

void mese::Textbbb_Change() {
  const bool any = !Textbbb->document()->isEmpty();
  for (QPushButton* b : {Command2, Command3, Command4, Command5}) b->setEnabled(any);
}

bool mese::eventFilter(QObject* watched, QEvent* event) {
  // A typed "." becomes the decimal comma, in every field.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->text() == QStringLiteral(".")) {
      QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, key->modifiers(), QStringLiteral(","),
                      key->isAutoRepeat(), ushort(key->count()));
      QCoreApplication::sendEvent(watched, &comma);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
