#include "shell/navigationpane.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "archive/archivewindows.h"
#include "common/widgets.h"

namespace {

constexpr int kWidth = 172;
constexpr int kEntryHeight = 64;
constexpr int kTop = 12;
constexpr int kGap = 14;

QPixmap drawMarker() {
  QPixmap pm(12, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 60, 140));
  p.drawPolygon(QPolygonF({{11, 0}, {1, 8}, {11, 16}}));
  return pm;
}

QFrame* line(QWidget* parent, const char* name, const QColor& colour, const QRect& rect) {
  auto* f = widgets::named<QFrame>(parent, name);
  f->setGeometry(rect);
  f->setAutoFillBackground(true);
  QPalette pal = f->palette();
  pal.setColor(QPalette::Window, colour);
  f->setPalette(pal);
  f->setAttribute(Qt::WA_TransparentForMouseEvents);
  f->hide();
  return f;
}

}  // namespace

NavigationPane::NavigationPane(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Picture1"));
  setFixedWidth(kWidth);
  setMinimumHeight(kTop + kArchiveCount * (kEntryHeight + kGap) + 10);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(236, 242, 250));
  setPalette(pal);
  setMouseTracking(true);

  const QColor hoverColour(0xC0, 0xC0, 0xC0);
  const QColor pressedColour(0x40, 0x40, 0x40);
  const QPixmap marker = drawMarker();
  // Navigation order, top to bottom, is the kinds' order.
  for (int i = 0; i < kArchiveCount; ++i) {
    const ArchiveKind kind = kArchiveKinds[i];
    const ArchiveDescriptor::Navigation& t = archiveDescriptor(kind).navigation;
    Entry& e = entries_[i];
    const QRect r(8, kTop + i * (kEntryHeight + kGap), kWidth - 28, kEntryHeight);
    e.label = new QLabel(t.caption, this);
    e.label->setObjectName(QLatin1String(t.label));
    e.label->setToolTip(t.tooltip);
    e.label->setAccessibleName(t.caption.trimmed());
    e.label->setGeometry(r);
    e.label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont f = e.label->font();
    f.setBold(true);
    e.label->setFont(f);
    e.label->setMouseTracking(true);
    e.label->setCursor(Qt::PointingHandCursor);
    e.label->installEventFilter(this);

    // The icon sits in the blank part of the caption; the label answers its clicks.
    e.icon = new QLabel(this);
    e.icon->setObjectName(QLatin1String(t.icon));
    e.icon->setPixmap(archivewindows::picture(kind));
    e.icon->setGeometry(r.left() + 8, r.top() + (kEntryHeight - 32) / 2, 32, 32);
    e.icon->setAttribute(Qt::WA_TransparentForMouseEvents);

    e.marker = new QLabel(this);
    e.marker->setObjectName(QLatin1String(t.marker));
    e.marker->setPixmap(marker);
    e.marker->setGeometry(r.right() + 6, r.center().y() - 8, 12, 16);
    e.marker->setVisible(i == 0);

    const QRect outer = r.adjusted(-3, -3, 3, 3);
    auto frame = [&](const std::array<const char*, 4>& names, const QColor& c,
                     std::array<QFrame*, 4>& out) {
      out[0] = line(this, names[0], c, QRect(outer.left(), outer.top(), outer.width(), 1));
      out[1] = line(this, names[1], c, QRect(outer.left(), outer.bottom(), outer.width(), 1));
      out[2] = line(this, names[2], c, QRect(outer.left(), outer.top(), 1, outer.height()));
      out[3] = line(this, names[3], c, QRect(outer.right(), outer.top(), 1, outer.height()));
    };
    frame(t.hover, hoverColour, e.hover);
    frame(t.pressed, pressedColour, e.pressed);
  }
  // Two static separators.
  auto* sep1 = widgets::named<QFrame>(this, "Line39");
  sep1->setFrameShape(QFrame::HLine);
  sep1->setGeometry(6, 4, kWidth - 12, 2);
  auto* sep2 = widgets::named<QFrame>(this, "Line40");
  sep2->setFrameShape(QFrame::HLine);
  sep2->setGeometry(6, kTop + kArchiveCount * (kEntryHeight + kGap) - 4, kWidth - 12, 2);
}

void NavigationPane::showMarker(ArchiveKind kind) {
  for (int i = 0; i < kArchiveCount; ++i) entries_[i].marker->setVisible(kArchiveKinds[i] == kind);
}

bool NavigationPane::markerVisible(ArchiveKind kind) const {
  return entry(kind).marker->isVisibleTo(this);
}
bool NavigationPane::hoverVisible(ArchiveKind kind) const {
  return entry(kind).hover[0]->isVisibleTo(this);
}
bool NavigationPane::pressedVisible(ArchiveKind kind) const {
  return entry(kind).pressed[0]->isVisibleTo(this);
}

void NavigationPane::setFrame(const std::array<QFrame*, 4>& lines, bool visible) {
  for (QFrame* l : lines)
    if (l->isVisibleTo(this) != visible) l->setVisible(visible);
}

void NavigationPane::pointerOverBackground() {
  for (int i = 0; i < kArchiveCount; ++i) {
    setFrame(entries_[i].hover, false);
    if (!archiveDescriptor(kArchiveKinds[i]).navigation.pressedStays)
      setFrame(entries_[i].pressed, false);
  }
}

int NavigationPane::entryOf(QObject* watched) const {
  for (int i = 0; i < kArchiveCount; ++i)
    if (watched == entries_[i].label || watched == entries_[i].icon) return i;
  return -1;
}

bool NavigationPane::eventFilter(QObject* watched, QEvent* event) {
  const int i = entryOf(watched);
  if (i < 0) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseMove:
      setFrame(entries_[i].hover, true);
      return true;  // not on to the pane, whose background would hide the frame again
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        setFrame(entries_[i].pressed, true);
      break;
    case QEvent::MouseButtonRelease: {
      auto* me = static_cast<QMouseEvent*>(event);
      if (me->button() != Qt::LeftButton) break;
      setFrame(entries_[i].pressed, false);
      if (entries_[i].label->rect().contains(me->position().toPoint()))
        Q_EMIT entryClicked(kArchiveKinds[i]);
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void NavigationPane::mouseMoveEvent(QMouseEvent* event) {
  pointerOverBackground();
  QWidget::mouseMoveEvent(event);
}
