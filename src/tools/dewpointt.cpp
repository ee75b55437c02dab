#include "tools/dewpointt.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "common/widgets.h"
#include "rules/meteo.h"

namespace {

const QString kWindowTitle = QStringLiteral("Calcolatore meteo");

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
  auto* l = new QLabel(text, parent);
  if (!name.isEmpty()) l->setObjectName(name);
  return l;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

// A frame of explanatory text.
QGroupBox* noteFrame(QWidget* parent, const QString& name, const QString& title,
                     const QStringList& texts) {
  auto* frame = new QGroupBox(title, parent);
  frame->setObjectName(name);
  auto* layout = new QVBoxLayout(frame);
  for (const QString& text : texts) {
    auto* l = new QLabel(text, frame);
    l->setWordWrap(true);
    layout->addWidget(l);
  }
  layout->addStretch();
  return frame;
}

// The little drawing of the cloud-base tab: the ground, a cloud and the
// height between them.
class CloudDiagram : public QWidget {
 public:
  explicit CloudDiagram(QWidget* parent) : QWidget(parent) { setFixedSize(150, 120); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = width();
    const int ground = height() - 14;
    // Ground
    p.setPen(QPen(QColor(90, 70, 40), 2));
    p.drawLine(6, ground, w - 6, ground);
    p.setPen(QPen(QColor(90, 70, 40), 1));
    for (int x = 10; x < w - 6; x += 10) p.drawLine(x, ground, x - 6, ground + 6);
    // Cloud: overlapping puffs on a flat base, filled without outlines
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 204, 218));
    const double c = w / 2.0;
    p.drawEllipse(QRectF(c - 48, 14, 40, 26));
    p.drawEllipse(QRectF(c - 24, 4, 48, 34));
    p.drawEllipse(QRectF(c + 8, 14, 40, 26));
    p.drawRoundedRect(QRectF(c - 40, 24, 80, 16), 6, 6);
    // Cloud base and the height down to the ground
    p.setPen(QPen(QColor(40, 70, 160), 1, Qt::DashLine));
    p.drawLine(10, 40, w - 10, 40);
    const int x = 24;
    p.setPen(QPen(QColor(40, 70, 160), 1));
    p.drawLine(x, 42, x, ground - 2);
    p.setBrush(QColor(40, 70, 160));
    p.drawPolygon(QPolygon({QPoint(x, 42), QPoint(x - 4, 50), QPoint(x + 4, 50)}));
    p.drawPolygon(
        QPolygon({QPoint(x, ground - 2), QPoint(x - 4, ground - 10), QPoint(x + 4, ground - 10)}));
    p.setPen(QColor(40, 70, 160));
    p.drawText(QRect(x + 8, 50, w - x - 12, ground - 56), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("h = (T - Td) × 125"));
  }
};

}  // namespace

dewpointt::dewpointt(AppContext& ctx)
    : ToolWindow(ctx, ctx.existingMainWindow(), "dewpointt", kWindowTitle) {
  auto* layout = new QVBoxLayout(this);
  Label28 = label(this, QStringLiteral("Label28"),
                  QStringLiteral("Utilizzate le schede sottostanti per calcolare parametri meteo"));
  layout->addWidget(Label28);

  SSTab1 = widgets::named<QTabWidget>(this, "SSTab1");
  SSTab1->addTab(buildDewPointTab(), QStringLiteral("Dewpoint"));
  SSTab1->addTab(buildPressureTab(), QStringLiteral("Pressione in quota"));
  SSTab1->addTab(buildCloudBaseTab(), QStringLiteral("Altezza base delle nubi"));
  SSTab1->addTab(buildFrostTab(), QStringLiteral("Brinate notturne"));
  SSTab1->setAccessibleName(QStringLiteral("Calcoli"));
  layout->addWidget(SSTab1);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  Cancelbutton = button(this, QStringLiteral("Cancelbutton"), QStringLiteral("&Chiudi"));
  bottom->addWidget(Cancelbutton);
  layout->addLayout(bottom);
  connect(Cancelbutton, &QPushButton::clicked, this, &dewpointt::Cancelbutton_Click);

  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* dewpointt::numberField(const QString& name) {
  auto* field = new QLineEdit;
  field->setObjectName(name);
  field->setFixedWidth(70);
  field->installEventFilter(this);
  return field;
}

QWidget* dewpointt::buildDewPointTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);

  auto* Label1 = label(page, QStringLiteral("Label1"), QStringLiteral("Temperatura:"));
  t = numberField(QStringLiteral("t"));
  t->setMaxLength(4);
  t->setToolTip(QStringLiteral("Immetti la temperatura in gradi centigradi (°C)"));
  Label1->setBuddy(t);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(t, 0, 1);
  grid->addWidget(label(page, QStringLiteral("Label2"), QStringLiteral("°C")), 0, 2);

  auto* Label3 = label(page, QStringLiteral("Label3"), QStringLiteral("Umidità relativa:"));
  ur = numberField(QStringLiteral("ur"));
  ur->setMaxLength(4);
  ur->setToolTip(QStringLiteral("Immetti il valore dell'umidità relativa (senza \"%\")"));
  Label3->setBuddy(ur);
  grid->addWidget(Label3, 1, 0);
  grid->addWidget(ur, 1, 1);
  grid->addWidget(label(page, QStringLiteral("Label4"), QStringLiteral("%")), 1, 2);

  Command1 = button(page, QStringLiteral("Command1"), QStringLiteral("Calcola il dewpoint"));
  Command2 = button(page, QStringLiteral("Command2"), QStringLiteral("Reset"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  buttons->addStretch();
  grid->addLayout(buttons, 2, 0, 1, 3);

  auto* Label5 = label(page, QStringLiteral("Label5"), QStringLiteral("Dewpoint:"));
  tot = label(page, QStringLiteral("tot"), QStringLiteral("0."));
  QFont bold = tot->font();
  bold.setBold(true);
  tot->setFont(bold);
  tot->setMinimumWidth(110);
  tot->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Label5->setBuddy(tot);
  grid->addWidget(Label5, 3, 0);
  grid->addWidget(tot, 3, 1, 1, 2);

  auto* Frame1 = noteFrame(
      page, QStringLiteral("Frame1"), QStringLiteral("Dewpoint"),
      {QStringLiteral("Il dewpoint (o punto di rugiada) è la temperatura alla quale l'aria deve "
                      "essere raffreddata, - mantenendo costante pressione e umidità - affinché "
                      "questa raggiunga la saturazione (vale a dire il 100% di umidità "
                      "relativa)."),
       QStringLiteral("Questo parametro ci consente di stabilire a quale quota si possono "
                      "formare le nubi.")});
  Frame1->setFixedWidth(230);
  grid->addWidget(Frame1, 0, 3, 5, 1);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(2, 1);

  connect(Command1, &QPushButton::clicked, this, &dewpointt::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &dewpointt::Command2_Click);
  return page;
}

QWidget* dewpointt::buildPressureTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);

  auto* Label17 = label(page, QStringLiteral("Label17"), QStringLiteral("Quota in metri:"));
  Text1 = numberField(QStringLiteral("Text1"));
  Text1->setText(QStringLiteral("0"));
  Label17->setBuddy(Text1);
  grid->addWidget(Label17, 0, 0);
  grid->addWidget(Text1, 0, 1);

  Command5 = button(page, QStringLiteral("Command5"), QStringLiteral("Calcola"));
  Command6 = button(page, QStringLiteral("Command6"), QStringLiteral("Reset"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command5);
  buttons->addWidget(Command6);
  buttons->addStretch();
  grid->addLayout(buttons, 1, 0, 1, 3);

  Label16 = label(page, QStringLiteral("Label16"), QString());
  QFont bold = Label16->font();
  bold.setBold(true);
  Label16->setFont(bold);
  Label16->setMinimumWidth(180);
  Label16->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(Label16, 2, 0, 1, 3);

  auto* Frame2 = noteFrame(page, QStringLiteral("Frame2"), QStringLiteral("Nota"),
                           {QStringLiteral("Questo calcolo della pressione ad una determinata "
                                           "quota prende come riferimento la pressione standard "
                                           "al livello del mare che è di 1013.25 hPa")});
  Frame2->setFixedWidth(230);
  grid->addWidget(Frame2, 0, 3, 4, 1);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(2, 1);

  connect(Command5, &QPushButton::clicked, this, &dewpointt::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &dewpointt::Command6_Click);
  return page;
}

QWidget* dewpointt::buildCloudBaseTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);

  auto* Label12 = label(page, QStringLiteral("Label12"), QStringLiteral("Temp. al suolo:"));
  a = numberField(QStringLiteral("a"));
  Label12->setBuddy(a);
  grid->addWidget(Label12, 0, 0);
  grid->addWidget(a, 0, 1);
  grid->addWidget(label(page, QStringLiteral("Label14"), QStringLiteral("°C")), 0, 2);

  auto* Label13 = label(page, QStringLiteral("Label13"), QStringLiteral("Temp di rugiada:"));
  b = numberField(QStringLiteral("b"));
  Label13->setBuddy(b);
  grid->addWidget(Label13, 1, 0);
  grid->addWidget(b, 1, 1);
  grid->addWidget(label(page, QStringLiteral("Label15"), QStringLiteral("°C")), 1, 2);

  Command3 = button(page, QStringLiteral("Command3"), QStringLiteral("Calcola"));
  Command4 = button(page, QStringLiteral("Command4"), QStringLiteral("Reset"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command3);
  buttons->addWidget(Command4);
  buttons->addStretch();
  grid->addLayout(buttons, 2, 0, 1, 3);

  risa = label(page, QStringLiteral("risa"), QString());
  risb = label(page, QStringLiteral("risb"), QString());
  for (QLabel* result : {risa, risb}) {
    QFont bold = result->font();
    bold.setBold(true);
    result->setFont(bold);
    result->setMinimumWidth(180);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
  grid->addWidget(risa, 3, 0, 1, 3);
  grid->addWidget(risb, 4, 0, 1, 3);

  auto* Frame4 =
      widgets::named<QGroupBox>(page, "Frame4", QStringLiteral("Altezza della base delle nubi"));
  auto* frameLayout = new QVBoxLayout(Frame4);
  frameLayout->addWidget(new CloudDiagram(Frame4), 0, Qt::AlignHCenter);
  Frame4->setFixedWidth(230);
  grid->addWidget(Frame4, 0, 3, 6, 1);
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(2, 1);

  connect(Command3, &QPushButton::clicked, this, &dewpointt::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &dewpointt::Command4_Click);
  return page;
}

QWidget* dewpointt::buildFrostTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);

  auto* Label22 = label(page, QStringLiteral("Label22"), QStringLiteral("Temperatura:"));
  Text2 = numberField(QStringLiteral("Text2"));
  Label22->setBuddy(Text2);
  Label19 = label(page, QStringLiteral("Label19"), QString());
  grid->addWidget(Label22, 0, 0);
  grid->addWidget(Text2, 0, 1);
  grid->addWidget(label(page, QStringLiteral("Label26"), QStringLiteral("°C")), 0, 2);
  grid->addWidget(Label19, 0, 3);

  auto* Label23 = label(page, QStringLiteral("Label23"), QStringLiteral("Dewpoint:"));
  Text3 = numberField(QStringLiteral("Text3"));
  Label23->setBuddy(Text3);
  Label20 = label(page, QStringLiteral("Label20"), QString());
  grid->addWidget(Label23, 1, 0);
  grid->addWidget(Text3, 1, 1);
  grid->addWidget(label(page, QStringLiteral("Label27"), QStringLiteral("°C")), 1, 2);
  grid->addWidget(Label20, 1, 3);
  for (QLabel* fahrenheit : {Label19, Label20}) {
    fahrenheit->setMinimumWidth(150);
    fahrenheit->setContentsMargins(12, 0, 0, 0);
  }

  Check1 = widgets::named<QCheckBox>(page, "Check1",
                                     QStringLiteral("Vento < 4 nodi e copertura nuvolosa <2/8"));
  grid->addWidget(Check1, 2, 0, 1, 4);

  Command7 = button(page, QStringLiteral("Command7"), QStringLiteral("Calcola"));
  Command8 = button(page, QStringLiteral("Command8"), QStringLiteral("Reset"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command7);
  buttons->addWidget(Command8);
  buttons->addStretch();
  grid->addLayout(buttons, 3, 0, 1, 4);

  Label11 = label(page, QStringLiteral("Label11"), QString());
  QFont bold = Label11->font();
  bold.setBold(true);
  Label11->setFont(bold);
  Label11->setWordWrap(true);
  Label11->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label11->setMinimumHeight(3 * Label11->fontMetrics().lineSpacing());
  Label11->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(Label11, 4, 0, 1, 4);

  auto* Frame3 = noteFrame(
      page, QStringLiteral("Frame3"), QStringLiteral("Nota"),
      {QStringLiteral("Le temperature da inserire devono essere quelle rilevate alle ore 14.")});
  Frame3->setFixedWidth(230);
  grid->addWidget(Frame3, 0, 4, 6, 1);
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(3, 1);

  connect(Command7, &QPushButton::clicked, this, &dewpointt::Command7_Click);
  connect(Command8, &QPushButton::clicked, this, &dewpointt::Command8_Click);
  return page;
}

void dewpointt::Command1_Click() {
  const auto caption = meteo::dewPointCaption(t->text(), ur->text());
  if (!caption) {
    ctx_.dialogs().message(this, QStringLiteral("Errore di digitazione!"), MsgIcon::Exclamation,
                           MsgButtons::Ok, kWindowTitle);
    return;
  }
  tot->setText(*caption);
}

void dewpointt::Command2_Click() {
  t->clear();
  ur->clear();
  tot->setText(QStringLiteral("0."));
}

void dewpointt::Command5_Click() { Label16->setText(meteo::pressureCaption(Text1->text())); }

void dewpointt::Command6_Click() {
  Text1->clear();
  Label16->clear();
}

void dewpointt::Command3_Click() {
  const auto captions = meteo::cloudBaseCaptions(a->text(), b->text());
  risa->setText(captions.metres);
  risb->setText(captions.feet);
}

void dewpointt::Command4_Click() {
  a->clear();
  b->clear();
  risa->clear();
  risb->clear();
}

void dewpointt::Command7_Click() {
  Label11->clear();
  const auto verdict = meteo::frostVerdict(Text2->text(), Text3->text(), Check1->isChecked());
  if (verdict.temperatureF) Label19->setText(*verdict.temperatureF);
  if (verdict.dewPointF) Label20->setText(*verdict.dewPointF);
  Label11->setText(verdict.verdict);
}

void dewpointt::Command8_Click() {
  // The °F labels keep the last computed values.
  Text2->clear();
  Text3->clear();
  Label11->clear();
}

void dewpointt::Cancelbutton_Click() { close(); }

bool dewpointt::eventFilter(QObject* watched, QEvent* event) {
  // In every field a typed "." becomes the decimal comma.
  if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->text() == u".") {
      QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, key->modifiers() & ~Qt::KeypadModifier,
                      QStringLiteral(","), key->isAutoRepeat(), ushort(key->count()));
      QCoreApplication::sendEvent(watched, &comma);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
