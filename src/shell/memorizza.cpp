#include "shell/memorizza.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/widgets.h"
#include "rules/months.h"

memorizza::memorizza(QWidget* owner, const QStringList& sheets, const QDate& month)
    : QDialog(owner) {
  setObjectName(QStringLiteral("memorizza"));
  setWindowTitle(QStringLiteral("Nubilario - Storico giornaliero"));
  QStringList lines;
  for (const QString& s : sheets) lines << QStringLiteral("- ") + s;
  Label1 = widgets::label(this, "Label1",
                          QStringLiteral("Questi fogli contengono giorni non ancora memorizzati "
                                         "nello storico giornaliero:\n\n") +
                              lines.join(u'\n') +
                              QStringLiteral("\n\nMemorizzarli prima dell'azzeramento? Indicare "
                                             "il mese a cui appartengono."));
  Label1->setWordWrap(true);
  Combo1 = widgets::named<QComboBox>(this, "Combo1");
  Combo1->addItems(months::names());
  Combo1->setCurrentIndex(month.month() - 1);
  anno = widgets::named<QSpinBox>(this, "anno");
  anno->setRange(1800, 2200);
  anno->setValue(month.year());
  okbutton = widgets::button(this, "okbutton", QStringLiteral("&Memorizza"));
  nobutton = widgets::button(this, "nobutton", QStringLiteral("&Non memorizzare"));
  cancelbutton = widgets::button(this, "cancelbutton", QStringLiteral("Ann&ulla"));
  okbutton->setDefault(true);
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
  // The text wraps at that width: the window is as tall as all of its lines.
  setMinimumHeight(v->totalHeightForWidth(width()));
}
