#include "tools/calculator.h"

#include <QAction>

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "common/appcontext.h"
#include "common/widgets.h"

namespace {

QPushButton* key(QWidget* parent, const QString& name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  b->setMinimumSize(44, 34);
  b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  return b;
}

}  // namespace

Calculator::Calculator(AppContext& ctx)
    : ToolWindow(ctx, ctx.existingMainWindow(), "Calculator", QStringLiteral("Calcolatrice")),
      engine_(ctx.runState<CalcOperands>()) {
  auto* grid = new QGridLayout(this);
  grid->setSpacing(6);

  Readout = widgets::named<QLabel>(this, "Readout");
  Readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Readout->setStyleSheet(QStringLiteral(
      "QLabel#Readout { background: white; color: black; border: 1px solid #8a8a8a; }"));
  QFont big = Readout->font();
  big.setPointSizeF(big.pointSizeF() * 1.5);
  big.setBold(true);
  Readout->setFont(big);
  Readout->setContentsMargins(6, 2, 6, 2);
  // A fixed width for the longest result ("-1,23456789012345E+300"): the window
  // must not grow with the text; longer typed numbers show their last digits.
  Readout->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  Readout->setMinimumSize(
      Readout->fontMetrics().horizontalAdvance(QStringLiteral("-1,23456789012345E+300")) + 20,
      Readout->fontMetrics().height() + 14);
  grid->addWidget(Readout, 0, 0, 1, 5);

  for (int i = 0; i < 10; ++i) {
    Number[size_t(i)] = key(this, QStringLiteral("Number_%1").arg(i), QString::number(i));
    connect(Number[size_t(i)], &QPushButton::clicked, this, [this, i] { Number_Click(i); });
  }
  const QStringList captions = {QStringLiteral("/"), QStringLiteral("+"), QStringLiteral("X"),
                                QStringLiteral("-"), QStringLiteral("=")};
  for (int i = 0; i < 5; ++i) {
    Operator[size_t(i)] = key(this, QStringLiteral("Operator_%1").arg(i), captions.at(i));
    connect(Operator[size_t(i)], &QPushButton::clicked, this, [this, i] { Operator_Click(i); });
  }
  CancelEntry = key(this, QStringLiteral("CancelEntry"), QStringLiteral("CE"));
  Decimal = key(this, QStringLiteral("Decimal"), QStringLiteral("."));
  Percent = key(this, QStringLiteral("Percent"), QStringLiteral("%"));
  connect(CancelEntry, &QPushButton::clicked, this, &Calculator::CancelEntry_Click);
  connect(Decimal, &QPushButton::clicked, this, &Calculator::Decimal_Click);
  connect(Percent, &QPushButton::clicked, this, &Calculator::Percent_Click);

  // 7 8 9 CE / 4 5 6 + - / 1 2 3 X / / 0 . = %
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col)
      grid->addWidget(Number[size_t(7 - 3 * row + col)], row + 1, col);
  grid->addWidget(CancelEntry, 1, 3, 1, 2);
  grid->addWidget(Operator[1], 2, 3);
  grid->addWidget(Operator[3], 2, 4);
  grid->addWidget(Operator[2], 3, 3);
  grid->addWidget(Operator[0], 3, 4);
  grid->addWidget(Number[0], 4, 0, 1, 2);
  grid->addWidget(Decimal, 4, 2);
  grid->addWidget(Operator[4], 4, 3);
  grid->addWidget(Percent, 4, 4);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  aggiorna();
}

void Calculator::aggiorna() { Readout->setText(engine_.display()); }

void Calculator::Number_Click(int index) {
  engine_.digit(index);
  aggiorna();
}

void Calculator::Operator_Click(int index) {
  if (index < 0 || index >= int(Operator.size())) return;
  const auto outcome = engine_.op(Operator[size_t(index)]->text());
  if (outcome == CalcEngine::Outcome::DivisionByZero)
    ctx_.dialogs().message(this, QStringLiteral("Impossibile dividere per zero"),
                           MsgIcon::Exclamation, MsgButtons::Ok, QStringLiteral("Calcolatrice"));
  aggiorna();
}

void Calculator::Decimal_Click() {
  engine_.decimal();
  aggiorna();
}

void Calculator::CancelEntry_Click() {
  engine_.cancelEntry();
  aggiorna();
}

void Calculator::Percent_Click() {
  engine_.percent();
  aggiorna();
}

void Calculator::closing() {
  if (MainWindow* main = ctx_.existingMainWindow()) main->markCalculatorOpen(false);
}
