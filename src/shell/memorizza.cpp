#include "shell/memorizza.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/widgets.h"
#include "rules/months.h"

memorizza::memorizza(QWidget* owner, const QStringList& sheets,
                     const history::MonthProposal& proposal)
    : QDialog(owner), sheets_(sheets), proposal_(proposal) {
  setObjectName(QStringLiteral("memorizza"));
  setWindowTitle(QStringLiteral("Nubilario - Storico giornaliero"));
  Label1 = widgets::label(this, "Label1", QString());
  Label1->setWordWrap(true);
  Combo1 = widgets::named<QComboBox>(this, "Combo1");
  Combo1->addItems(months::names());
  Combo1->setCurrentIndex(proposal.month.month() - 1);
  anno = widgets::named<QSpinBox>(this, "anno");
  anno->setRange(1800, 2200);
  anno->setValue(proposal.month.year());
  okbutton = widgets::button(this, "okbutton", QStringLiteral("&Memorizza"));
  nobutton = widgets::button(this, "nobutton", QStringLiteral("&Non memorizzare"));
  cancelbutton = widgets::button(this, "cancelbutton", QStringLiteral("Ann&ulla"));
  // A guessed month is stored only by choosing Memorizza: Enter stops the
  // reset, and the keeper starts at the month to check it.
  if (proposal.from == history::MonthProposal::From::HandOver) {
    okbutton->setDefault(true);
  } else {
    cancelbutton->setDefault(true);
    Combo1->setFocus();
  }
  connect(okbutton, &QPushButton::clicked, this, &QDialog::accept);
  connect(nobutton, &QPushButton::clicked, this, [this] { done(NonMemorizzare); });
  connect(cancelbutton, &QPushButton::clicked, this, &QDialog::reject);

  auto* when = new QHBoxLayout;
  QLabel* monthCaption = widgets::label(this, "Label2", QStringLiteral("&Mese:"));
  monthCaption->setBuddy(Combo1);
  QLabel* yearCaption = widgets::label(this, "Label3", QStringLiteral("&Anno:"));
  yearCaption->setBuddy(anno);
  when->addWidget(monthCaption);
  when->addWidget(Combo1);
  when->addSpacing(12);
  when->addWidget(yearCaption);
  when->addWidget(anno);
  when->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {okbutton, nobutton, cancelbutton}) buttons->addWidget(b);
  auto* v = new QVBoxLayout(this);
  v->addWidget(Label1);
  v->addLayout(when);
  v->addLayout(buttons);
  setFixedWidth(460);
  aggiornaTesto();
  connect(Combo1, &QComboBox::currentIndexChanged, this, &memorizza::aggiornaTesto);
  connect(anno, &QSpinBox::valueChanged, this, &memorizza::aggiornaTesto);
}

void memorizza::aggiornaTesto() {
  const QLocale italian(QLocale::Italian);
  const auto monthName = [&](const QDate& m) { return italian.toString(m, u"MMMM yyyy"); };
  QStringList lines;
  for (const QString& s : sheets_) lines << QStringLiteral("- ") + s;
  QString origin;
  switch (proposal_.from) {
    case history::MonthProposal::From::HandOver:
      origin = QStringLiteral("il mese per cui i fogli sono stati archiviati l'ultima volta");
      break;
    case history::MonthProposal::From::MonthBefore:
      origin = QStringLiteral(
          "il mese scorso, perché i fogli non risultano archiviati di "
          "recente");
      break;
    case history::MonthProposal::From::ThisMonth:
      origin = QStringLiteral(
          "il mese corrente, perché i fogli non risultano archiviati di "
          "recente");
      break;
  }
  Label1->setText(
      QStringLiteral("Questi fogli contengono giorni non ancora memorizzati nello storico "
                     "giornaliero:\n\n") +
      lines.join(u'\n') +
      QStringLiteral("\n\nMemorizzarli prima dell'azzeramento come giorni di %1?\n\n"
                     "Mese proposto: %2, %3. Se i giorni sono di un altro mese, indicarlo qui "
                     "sotto.")
          .arg(monthName(QDate(year(), month(), 1)), monthName(proposal_.month), origin));
  // The text wraps at the window's width: the window is as tall as all of its lines.
  setMinimumHeight(layout()->totalHeightForWidth(width()));
}
