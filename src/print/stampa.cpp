#include "print/stampa.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPointer>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "common/widgets.h"
#include "rules/printouts.h"
#include "rules/recordset.h"
#include "sheets/archiviopioggia.h"
#include "sheets/medietemperature.h"
#include "sheets/pioggiaanno.h"
#include "tools/dialog.h"

namespace {

const QString kFailure = QStringLiteral(
    "Errore durante il trasferimento dei dati alla stampante. Possibili cause: il database che "
    "si desidera stampare è vuoto oppure la stampante non risponde...");

}  // namespace

stampa::stampa(AppContext& ctx, QWidget* owner) : QDialog(owner), ctx_(ctx) {
  setObjectName(QStringLiteral("stampa"));
  setWindowTitle(QStringLiteral("Stampa"));
  setModal(true);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  const auto option = [](QWidget* parent, const char* name, const QString& caption) {
    return widgets::named<QRadioButton>(parent, name, caption);
  };
  Label1 =
      widgets::label(this, "Label1", QStringLiteral("Scegliere che cosa si desidera stampare"));
  Option1 = option(this, "Option1", QStringLiteral("&Stampa archivio dati..."));
  Frame1 = widgets::named<QGroupBox>(this, "Frame1");
  for (ArchiveKind kind : kArchiveKinds) {
    const ArchiveDescriptor::PrintOption& o = archiveDescriptor(kind).printOption;
    archivi_[std::size_t(kind)] = option(Frame1, o.name, o.caption);
  }
  Option7 = option(Frame1, "Option7", QStringLiteral("...p&recipitazioni giornaliere"));
  Option8 = option(Frame1, "Option8", QStringLiteral("...pr&ecipitazioni anno corrente"));
  Option9 = option(Frame1, "Option9", QStringLiteral("...temperature &giornaliere"));
  Option6 = option(this, "Option6", QStringLiteral("Stampa App&unti"));

  Command1 = widgets::button(this, "Command1", QStringLiteral("Imposta&zioni di stampa..."));
  OKButton = widgets::button(this, "OKButton", QStringLiteral("Sta&mpa"));
  OKButton->setDefault(true);
  CancelButton = widgets::button(this, "CancelButton", QStringLiteral("Annulla"));

  // The seven options of the frame form one group; the two outer options
  // another, so that choosing one of them lets go of the other.
  auto* outer = new QButtonGroup(this);
  outer->addButton(Option1);
  outer->addButton(Option6);

  // Archives on the left, sheets on the right, under the archive option.
  auto* frameLayout = new QGridLayout(Frame1);
  const QList<QRadioButton*> sheets{Option7, Option8, Option9};
  for (int i = 0; i < kArchiveCount; ++i) frameLayout->addWidget(archivi_[i], i, 0);
  for (int i = 0; i < sheets.size(); ++i) frameLayout->addWidget(sheets[i], i, 1);

  auto* choices = new QVBoxLayout;
  choices->addWidget(Label1);
  choices->addSpacing(6);
  choices->addWidget(Option1);
  // The frame sits under the archive option, indented, as its sub-choices.
  auto* indented = new QHBoxLayout;
  indented->addSpacing(18);
  indented->addWidget(Frame1);
  choices->addLayout(indented);
  choices->addSpacing(6);
  choices->addWidget(Option6);
  choices->addStretch();

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);
  buttons->addStretch();
  buttons->addWidget(Command1);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(choices, 1);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  Option1->setChecked(true);
  archivio(ArchiveKind::Temperature)->setChecked(true);

  connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Option1_Click();
  });
  connect(Option6, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Option6_Click();
  });
  connect(Command1, &QPushButton::clicked, this, &stampa::Command1_Click);
  connect(OKButton, &QPushButton::clicked, this, &stampa::OKButton_Click);
  connect(CancelButton, &QPushButton::clicked, this, &stampa::CancelButton_Click);
}

void stampa::mostra(AppContext& ctx, QWidget* owner) {
  QPointer<stampa> dialog = new stampa(ctx, owner ? owner : ctx.mainWindow());
  ctx.dialogs().runModal(*dialog);
  delete dialog.data();
}

QList<QRadioButton*> stampa::frameOptions() const {
  QList<QRadioButton*> options(archivi_.cbegin(), archivi_.cend());
  return options << Option7 << Option8 << Option9;
}

void stampa::Option1_Click() {
  Option1->setChecked(true);  // lets go of Option6
  for (QRadioButton* o : frameOptions()) o->setEnabled(true);
}

void stampa::Option6_Click() {
  // The frame's options keep their selection while greyed.
  Option6->setChecked(true);  // lets go of Option1
  for (QRadioButton* o : frameOptions()) o->setEnabled(false);
}

void stampa::Command1_Click() {
  // Cancelling the setup dialog changes nothing and says nothing.
  ctx_.printer().setup(this, cdTitle_);
  cdTitle_ = QStringLiteral("Impostazioni di Stampa");
}

stampa::Scelta stampa::scelta() const {
  for (ArchiveKind kind : kArchiveKinds)
    if (archivio(kind)->isChecked() && archivio(kind)->isEnabled()) return Scelta::di(kind);
  using Cosa = Scelta::Cosa;
  const std::pair<QRadioButton*, Cosa> others[] = {{Option6, Cosa::Appunti},
                                                   {Option7, Cosa::PioggiaGiorni},
                                                   {Option8, Cosa::PioggiaAnno},
                                                   {Option9, Cosa::TemperatureGiorni}};
  for (const auto& [option, which] : others)
    if (option->isChecked() && option->isEnabled()) return Scelta::di(which);
  return {};
}

void stampa::OKButton_Click() {
  const Scelta which = scelta();
  try {
    stampaScelta(which);
  } catch (const std::exception&) {
    // The lines already sent are dropped with the document; the dialog stays
    // open with its choice.
    ctx_.printer().abortDoc();
    ctx_.dialogs().message(this, kFailure, MsgIcon::Critical);
    return;
  }
  accept();
}

void stampa::CancelButton_Click() { reject(); }

void stampa::stampaScelta(Scelta which) {
  MainWindow* main = ctx_.mainWindow();
  const QString station = ctx_.config().nome;
  TextPrinter& printer = ctx_.printer();
  using Cosa = Scelta::Cosa;
  switch (which.cosa) {
    case Cosa::Archivio:
      return printouts::archivio(printer, main->recordset(which.archivio), which.archivio, station);
    case Cosa::Appunti: {
      const bool wasLoaded = ctx_.existing<Dialog>() != nullptr;
      Dialog* notes = ctx_.window<Dialog>();  // loaded hidden, with an empty text, if need be
      try {
        printouts::appunti(printer, station, notes->testo());
      } catch (...) {
        // A window loaded only for this printout does not stay behind hidden.
        if (!wasLoaded) notes->close();
        throw;
      }
      notes->close();
      return;
    }
    // A sheet that is not loaded is loaded hidden and stays so; an open one is
    // printed as it stands, saved or not.
    case Cosa::PioggiaGiorni:
      return printouts::pioggiaGiornaliera(
          printer, station, ctx_.window<archiviopioggia>()->printValues(main->meseTemperature()));

    case Cosa::PioggiaAnno:
      return printouts::pioggiaAnno(printer, station, ctx_.window<pioggiaanno>()->printValues());
    case Cosa::TemperatureGiorni:
      return printouts::temperatureGiornaliere(printer, station,
                                               ctx_.window<medietemperature>()->printValues());
    case Cosa::Nessuna:
      return;
  }
}
