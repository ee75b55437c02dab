#include "shell/splash.h"

#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include "common/appcontext.h"
#include "common/widgets.h"
#include "shell/form1.h"

namespace {
constexpr int kWidth = 520;
constexpr int kHeight = 330;
constexpr int kBand = 22;  // plain background above and below the picture

QPixmap skyPicture(int w, int h) {
  QPixmap pm(w, h);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0, QColor(28, 74, 140));
  sky.setColorAt(1, QColor(120, 180, 230));
  p.fillRect(pm.rect(), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 200));
  for (auto [x, y, s] : {std::tuple{380, 215, 1.0}, std::tuple{250, 245, 0.6}}) {
    p.drawEllipse(QPointF(x, y), 46 * s, 30 * s);
    p.drawEllipse(QPointF(x + 40 * s, y + 8 * s), 38 * s, 26 * s);
    p.drawEllipse(QPointF(x - 40 * s, y + 10 * s), 32 * s, 22 * s);
  }
  return pm;
}

// The credit lines stand low on the picture, over the light sky and the small
// cloud: white would not read there, a deep blue does.
const QColor kOnLightSky(12, 38, 84);

QLabel* text(QWidget* parent, const char* name, const QString& caption, int pointSize, bool bold,
             const QRect& rect, const QColor& colour = Qt::white) {
  auto* l = widgets::label(parent, name, caption);
  QFont f = l->font();
  f.setPointSize(pointSize);
  f.setBold(bold);
  l->setFont(f);
  l->setStyleSheet(
      QStringLiteral("color: %1; background: transparent;").arg(colour.name(QColor::HexRgb)));
  l->setGeometry(rect);
  return l;
}
}  // namespace

splash::splash(AppContext& ctx) : ctx_(ctx) {
  setObjectName(QStringLiteral("splash"));
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kWidth, kHeight);
  // It has no title: a screen reader names it by the product.
  setAccessibleName(QStringLiteral("Nubilario"));

  auto* picture = widgets::named<QLabel>(this, "Picture1");
  picture->setPixmap(skyPicture(kWidth, kHeight - 2 * kBand));
  picture->setGeometry(0, kBand, kWidth, kHeight - 2 * kBand);
  picture_ = picture;

  const int top = kBand;
  QLabel* texts[] = {
      text(this, "Label1", QStringLiteral("Nubilario"), 30, true, QRect(28, top + 20, 300, 56)),
      text(this, "Label2", QStringLiteral("[ Versione 3.0.2 Pro] "), 10, false,
           QRect(32, top + 78, 300, 22)),
      text(this, "Label3", QStringLiteral("Tutti i tuoi dati meteo sempre a portata di mano!"), 11,
           false, QRect(32, top + 112, 460, 24)),
      text(this, "Label4", QStringLiteral("Progetto e sviluppo: il gruppo di Nubilario"), 8, false,
           QRect(32, top + 220, 400, 18), kOnLightSky),
      text(this, "Label5", QStringLiteral("Dedicato a chi osserva il cielo ogni giorno"), 8, false,
           QRect(32, top + 240, 400, 18), kOnLightSky),
  };
  for (QLabel* l : texts) l->installEventFilter(this);
  auto* three = text(this, "Label13", QStringLiteral("3"), 72, true, QRect(400, top + 6, 100, 110));
  three->setAlignment(Qt::AlignCenter);

  Timer1.setInterval(2000);
  connect(&Timer1, &QTimer::timeout, this, &splash::Timer1_Timer);
  Timer1.start();
}

void splash::openMain() {
  if (finished_) return;  // only the first ending counts
  finished_ = true;
  Timer1.stop();
  auto* main = static_cast<Form1*>(ctx_.mainWindow());  // the program's main window is a Form1
  if (!main->Form1_Load()) {
    close();
    return;
  }
  main->show();
  close();
}

void splash::Timer1_Timer() { openMain(); }

void splash::clicked() { openMain(); }

void splash::mousePressEvent(QMouseEvent* event) {
  // The background bands answer; the picture itself does not.
  if (event->button() == Qt::LeftButton &&
      !picture_->geometry().contains(event->position().toPoint()))
    clicked();
  QWidget::mousePressEvent(event);
}

bool splash::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    clicked();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}
