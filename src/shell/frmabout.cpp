#include "shell/frmabout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "shell/webpages.h"

namespace {

const QString kTerms = QStringLiteral(
    "Nubilario è distribuito gratuitamente per uso personale e non commerciale.\n\n"
    "È consentito installare il programma su più computer e farne copie di sicurezza, "
    "a condizione che il pacchetto resti completo e non modificato.\n\n"
    "Non è consentito vendere il programma, includerlo in prodotti commerciali o "
    "distribuirlo dopo averlo modificato senza il permesso scritto dell'autore.\n\n"
    "Il programma è fornito \"così com'è\", senza garanzie di alcun tipo. L'autore non "
    "risponde di danni o perdite di dati derivanti dal suo uso: si consiglia di eseguire "
    "regolarmente il backup dei dati con l'apposita utilità (menu File, Backup dei dati).\n\n"
    "I dati registrati con Nubilario appartengono a chi li ha raccolti e possono essere "
    "usati e pubblicati liberamente.");

const QString kCollaboration = QStringLiteral(
    "gli osservatori della rete amatoriale che hanno provato le versioni di prova e "
    "suggerito le migliorie di questa edizione");

// The product icon: a cloud with rain drops.
QPixmap productIcon() {
  QPixmap pm(48, 48);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath cloud;
  cloud.addEllipse(6, 12, 18, 16);
  cloud.addEllipse(16, 6, 22, 22);
  cloud.addEllipse(28, 14, 16, 14);
  cloud.addRect(12, 20, 26, 8);
  QLinearGradient g(0, 6, 0, 30);
  g.setColorAt(0, QColor(0xf4, 0xf7, 0xfb));
  g.setColorAt(1, QColor(0x9f, 0xb3, 0xc8));
  p.setPen(QPen(QColor(0x5a, 0x6e, 0x85), 1.2));
  p.setBrush(g);
  p.drawPath(cloud.simplified());
  p.setPen(QPen(QColor(0x2b, 0x6c, 0xc4), 2.4, Qt::SolidLine, Qt::RoundCap));
  for (int x : {15, 25, 35}) p.drawLine(x, 33, x - 3, 42);
  return pm;
}

// A thin coloured band used as decoration at the top and bottom of the box.
QPixmap band(int width) {
  QPixmap pm(width, 4);
  QPainter p(&pm);
  QLinearGradient g(0, 0, width, 0);
  g.setColorAt(0, QColor(0x1d, 0x4f, 0x91));
  g.setColorAt(1, QColor(0x9c, 0xc3, 0xe6));
  p.fillRect(pm.rect(), g);
  return pm;
}

QLabel* label(const char* name, const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QLatin1String(name));
  return l;
}

}  // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, pal.color(QPalette::Link));
  setPalette(pal);
  setAccessibleName(text);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    Q_EMIT clicked();
  QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    Q_EMIT clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

frmAbout::frmAbout(AppContext& ctx, QWidget* owner) : QDialog(owner), ctx_(ctx) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("Informazioni su Nubilario"));
  setModal(true);
  auto* v = new QVBoxLayout(this);

  auto* image1 = label("Image1", {}, this);
  image1->setPixmap(band(460));
  image1->setScaledContents(true);
  v->addWidget(image1);

  auto* head = new QHBoxLayout;
  auto* picIcon = label("picIcon", {}, this);
  picIcon->setPixmap(productIcon());
  head->addWidget(picIcon, 0, Qt::AlignTop);
  auto* titles = new QVBoxLayout;
  QLabel* lblTitle = label("lblTitle", QStringLiteral("Nubilario 3.0 Pro"), this);
  QFont big = lblTitle->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  lblTitle->setFont(big);
  titles->addWidget(lblTitle);
  titles->addWidget(label(
      "lblVersion", QStringLiteral("Versione: 3.0.2 [built: Gennaio 2006, edizione 2006)"), this));
  head->addLayout(titles, 1);
  v->addLayout(head);

  QLabel* label3 = label("Label3", QStringLiteral("Licenza d'utilizzo:"), this);
  v->addWidget(label3);
  Text1 = new QPlainTextEdit(kTerms, this);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setReadOnly(true);
  Text1->setMinimumHeight(130);
  label3->setBuddy(Text1);
  v->addWidget(Text1);

  QLabel* disclaimer = label("lblDisclaimer", QStringLiteral("Contatti:"), this);
  QFont bold = disclaimer->font();
  bold.setBold(true);
  disclaimer->setFont(bold);
  v->addWidget(disclaimer);
  auto* contacts = new QGridLayout;
  Label6 = new LinkLabel(webpages::authorMail(), this);
  Label6->setObjectName(QStringLiteral("Label6"));
  Label7 = new LinkLabel(webpages::address(webpages::Page::W15), this);
  Label7->setObjectName(QStringLiteral("Label7"));
  Label8 = new LinkLabel(webpages::address(webpages::Page::W12), this);
  Label8->setObjectName(QStringLiteral("Label8"));
  contacts->addWidget(label("Label1", QStringLiteral("E-mail: "), this), 0, 0);
  contacts->addWidget(Label6, 0, 1);
  contacts->addWidget(label("Label2", QStringLiteral("Sito dell'autore: "), this), 1, 0);
  contacts->addWidget(Label7, 1, 1);
  contacts->addWidget(label("Label9", QStringLiteral("Sito:"), this), 2, 0);
  contacts->addWidget(Label8, 2, 1);
  contacts->addWidget(label("Label5", QStringLiteral("In collaborazione con:"), this), 3, 0,
                      Qt::AlignTop);
  QLabel* label4 = label("Label4", kCollaboration, this);
  label4->setWordWrap(true);
  contacts->addWidget(label4, 3, 1);
  contacts->setColumnStretch(1, 1);
  v->addLayout(contacts);

  auto* image2 = label("Image2", {}, this);
  image2->setPixmap(band(460));
  image2->setScaledContents(true);
  v->addWidget(image2);

  auto* buttons = new QHBoxLayout;
  Command1 = new QPushButton(QStringLiteral("&Cerca aggiornamenti software"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command2 = new QPushButton(QStringLiteral("OK"), this);
  Command2->setObjectName(QStringLiteral("Command2"));
  Command2->setDefault(true);
  buttons->addWidget(Command1);
  buttons->addStretch(1);
  buttons->addWidget(Command2);
  v->addLayout(buttons);

  connect(Label6, &LinkLabel::clicked, this, &frmAbout::Label6_Click);
  connect(Label7, &LinkLabel::clicked, this, &frmAbout::Label7_Click);
  connect(Label8, &LinkLabel::clicked, this, &frmAbout::Label8_Click);
  connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &QDialog::accept);

  resize(500, sizeHint().height());
}

void frmAbout::Label6_Click() {
  ctx_.shell().openPage(this, QStringLiteral("mailto:") + webpages::authorMail());
}

void frmAbout::Label7_Click() {
  ctx_.shell().openPage(this, webpages::address(webpages::Page::W15));
}

void frmAbout::Label8_Click() {
  ctx_.shell().openPage(this, webpages::address(webpages::Page::W12));
}

void frmAbout::Command1_Click() {
  ctx_.shell().openPage(this, webpages::address(webpages::Page::W14));
}
