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
#include "common/widgets.h"
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

  auto* image1 = widgets::label(this, "Image1", {});
  image1->setPixmap(band(460));
  image1->setScaledContents(true);
  v->addWidget(image1);

  auto* head = new QHBoxLayout;
  auto* picIcon = widgets::label(this, "picIcon", {});
  picIcon->setPixmap(productIcon());
  head->addWidget(picIcon, 0, Qt::AlignTop);
  auto* titles = new QVBoxLayout;
  QLabel* lblTitle = widgets::label(this, "lblTitle", QStringLiteral("Nubilario 3.0 Pro"));
  QFont big = lblTitle->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  lblTitle->setFont(big);
  titles->addWidget(lblTitle);
  titles->addWidget(widgets::label(
      this, "lblVersion", QStringLiteral("Versione: 3.0.2 [built: Gennaio 2006, edizione 2006)")));
  head->addLayout(titles, 1);
  v->addLayout(head);

  QLabel* label3 = widgets::label(this, "Label3", QStringLiteral("Licenza d'utilizzo:"));
  v->addWidget(label3);
  Text1 = widgets::named<QPlainTextEdit>(this, "Text1", kTerms);
  Text1->setReadOnly(true);
  Text1->setMinimumHeight(130);
  label3->setBuddy(Text1);
  v->addWidget(Text1);

  QLabel* disclaimer = widgets::label(this, "lblDisclaimer", QStringLiteral("Contatti:"));
  QFont bold = disclaimer->font();
  bold.setBold(true);
  disclaimer->setFont(bold);
  v->addWidget(disclaimer);
  auto* contacts = new QGridLayout;
  Label6 = widgets::named<LinkLabel>(this, "Label6", webpages::authorMail());
  Label7 = widgets::named<LinkLabel>(this, "Label7", webpages::address(webpages::Page::W15));
  Label8 = widgets::named<LinkLabel>(this, "Label8", webpages::address(webpages::Page::W12));
  contacts->addWidget(widgets::label(this, "Label1", QStringLiteral("E-mail: ")), 0, 0);
  contacts->addWidget(Label6, 0, 1);
  contacts->addWidget(widgets::label(this, "Label2", QStringLiteral("Sito dell'autore: ")), 1, 0);
  contacts->addWidget(Label7, 1, 1);
  contacts->addWidget(widgets::label(this, "Label9", QStringLiteral("Sito:")), 2, 0);
  contacts->addWidget(Label8, 2, 1);
  contacts->addWidget(widgets::label(this, "Label5", QStringLiteral("In collaborazione con:")), 3,
                      0, Qt::AlignTop);
  QLabel* label4 = widgets::label(this, "Label4", kCollaboration);
  label4->setWordWrap(true);
  contacts->addWidget(label4, 3, 1);
  contacts->setColumnStretch(1, 1);
  v->addLayout(contacts);

  auto* image2 = widgets::label(this, "Image2", {});
  image2->setPixmap(band(460));
  image2->setScaledContents(true);
  v->addWidget(image2);

  auto* buttons = new QHBoxLayout;
  Command1 = widgets::named<QPushButton>(this, "Command1",
                                         QStringLiteral("&Cerca aggiornamenti software"));
  Command2 = widgets::named<QPushButton>(this, "Command2", QStringLiteral("OK"));
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
