#include "shell/dialog1.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "common/savable.h"
#include "common/widgets.h"
#include "shell/webpages.h"

namespace {

constexpr int kNameLength = 22;

}  // namespace

Dialog1::Dialog1(AppContext& ctx, QWidget* owner, const StationConfig& config, bool infoShown)
    : QDialog(owner), ctx_(ctx), config_(config) {
  setObjectName(QStringLiteral("Dialog1"));
  setWindowTitle(QStringLiteral("Opzioni"));
  setModal(true);
  auto* v = new QVBoxLayout(this);

  auto* version = widgets::named<QGroupBox>(this, "Frame1", QStringLiteral("Versione programma"));
  auto* vh = new QHBoxLayout(version);
  auto* label6 = widgets::named<QLabel>(version, "Label6",
                                        QStringLiteral("Versione attualmente installata: "));
  Label7 = widgets::named<QLabel>(version, "Label7", QStringLiteral("3.0.2"));
  QFont bold = Label7->font();
  bold.setBold(true);
  Label7->setFont(bold);
  Command3 = widgets::named<QPushButton>(version, "Command3",
                                         QStringLiteral("Cerca a&ggiornamento/nuova versione >>"));
  vh->addWidget(label6);
  vh->addWidget(Label7);
  vh->addStretch(1);
  vh->addWidget(Command3);
  v->addWidget(version);

  auto* station =
      widgets::named<QGroupBox>(this, "Frame2", QStringLiteral("Stazione meteorologica"));
  auto* sg = new QGridLayout(station);
  caratteristiche =
      new QCheckBox(QStringLiteral("&Mostra caratteristiche della stazione"), station);
  caratteristiche->setObjectName(QStringLiteral("caratteristiche"));
  auto* label1 = widgets::named<QLabel>(station, "Label1", QStringLiteral("&Nome della stazione:"));
  nome = widgets::named<QLineEdit>(station, "nome");
  nome->setMaxLength(kNameLength);
  label1->setBuddy(nome);
  anorma = widgets::named<QCheckBox>(
      station, "anorma",
      QStringLiteral("&Stazione a norma (sensori in schermo solare o in capannina)"));
  sg->addWidget(caratteristiche, 0, 0, 1, 2);
  sg->addWidget(label1, 1, 0);
  sg->addWidget(nome, 1, 1);
  sg->addWidget(anorma, 2, 0, 1, 2);
  v->addWidget(station);

  auto* general =
      widgets::named<QGroupBox>(this, "Frame3", QStringLiteral("Impostazioni generali"));
  auto* gg = new QGridLayout(general);
  auto* label4 = widgets::named<QLabel>(general, "Label4",
                                        QStringLiteral("Salva contenuto finestra &Appunti in:"));
  Text1 = widgets::named<QLineEdit>(general, "Text1");
  label4->setBuddy(Text1);
  Command1 = widgets::named<QPushButton>(general, "Command1", QStringLiteral("Sfoglia"));
  Command4 = widgets::named<QPushButton>(general, "Command4",
                                         QStringLiteral(">> Reimposta valore di &default <<"));
  gg->addWidget(label4, 0, 0, 1, 2);
  gg->addWidget(Text1, 1, 0);
  gg->addWidget(Command1, 1, 1);
  gg->addWidget(Command4, 2, 0, 1, 2, Qt::AlignLeft);
  v->addWidget(general);

  auto* buttons = new QHBoxLayout;
  okbutton = widgets::named<QPushButton>(this, "okbutton", QStringLiteral("OK"));
  okbutton->setDefault(true);
  cancelbutton = widgets::named<QPushButton>(this, "cancelbutton", QStringLiteral("Annulla"));
  buttons->addStretch(1);
  buttons->addWidget(okbutton);
  buttons->addWidget(cancelbutton);
  v->addLayout(buttons);

  connect(caratteristiche, &QCheckBox::toggled, this, &Dialog1::caratteristiche_Click);
  connect(Command1, &QPushButton::clicked, this, &Dialog1::Command1_Click);
  connect(Command3, &QPushButton::clicked, this, &Dialog1::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &Dialog1::Command4_Click);
  connect(okbutton, &QPushButton::clicked, this, &Dialog1::okbutton_Click);
  // "Annulla" and the close box: nothing written, the main window unchanged.
  connect(cancelbutton, &QPushButton::clicked, this, &QDialog::reject);

  Form_Load(infoShown);
  setFixedSize(sizeHint().expandedTo(QSize(520, 0)));
}

void Dialog1::Form_Load(bool infoShown) {
  Text1->setText(config_.percorsoAppunti);
  riepiloghi_ = config_.riepiloghiMensili;
  caratteristiche->setChecked(infoShown);
  // A longer name written into config.cfg by hand is kept whole.
  nome->setMaxLength(qMax(kNameLength, int(config_.nome.size())));
  nome->setText(config_.nome);
  anorma->setChecked(config_.aNorma());
  caratteristiche_Click();
}

StationConfig Dialog1::config() const {
  StationConfig c = config_;
  c.nome = nome->text();
  c.mostraInfo = caratteristiche->isChecked() ? QStringLiteral("si") : QStringLiteral("no");
  c.anorma = anorma->isChecked() ? StationConfig::kStandard : StationConfig::kNotStandard;
  c.percorsoAppunti = Text1->text();
  c.riepiloghiMensili = riepiloghi_;
  return c;
}

void Dialog1::caratteristiche_Click() {
  // The name and the standard box stay as they are and are still saved.
  const bool on = caratteristiche->isChecked();
  nome->setEnabled(on);
  anorma->setEnabled(on);
}

void Dialog1::Command1_Click() {
  std::optional<QString> folder =
      ctx_.dialogs().browseFolder(this, QStringLiteral("Seleziona il percorso:"));
  if (!folder) return;
  QString path = *folder;
  const qsizetype nul = path.indexOf(QChar(0));
  if (nul >= 0) path.truncate(nul);
  Text1->setText(path);
}

void Dialog1::Command3_Click() {
  ctx_.shell().openPage(this, webpages::address(webpages::Page::W14));
}

void Dialog1::Command4_Click() {
  Text1->setText(ctx_.dataFolder());
  riepiloghi_ = ctx_.dataFolder();
}

void Dialog1::okbutton_Click() {
  // A name or folder that config.cfg cannot hold stays in the dialog to be changed.
  if (!savable(ctx_, this, config().lines().join(QString()))) return;
  // An empty folder field means the data folder.
  if (Text1->text().isEmpty()) Text1->setText(ctx_.dataFolder());
  if (riepiloghi_.isEmpty()) riepiloghi_ = ctx_.dataFolder();

  accept();
}
