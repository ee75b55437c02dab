#include "archive/archivewindows.h"

#include <QPainter>
#include <QPainterPath>

#include "archive/dialog3.h"
#include "archive/dialog4.h"
#include "archive/estr.h"
#include "archive/insneve.h"

namespace archivewindows {

std::unique_ptr<EntryDialog> newEntryDialog(ArchiveKind kind, AppContext& ctx, QWidget* owner) {
  switch (kind) {
    case ArchiveKind::Temperature:
      return std::make_unique<Dialog4>(ctx, owner);
    case ArchiveKind::Rain:
      return std::make_unique<Dialog3>(ctx, owner);
    case ArchiveKind::Snow:
      return std::make_unique<insneve>(ctx, owner);
    case ArchiveKind::OtherEvents:
      return std::make_unique<estr>(ctx, owner);
  }
  return nullptr;
}

QPixmap picture(ArchiveKind kind) {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (kind) {
    case ArchiveKind::Temperature:  // a thermometer
      p.setPen(QPen(QColor(90, 90, 90), 2));
      p.setBrush(Qt::white);
      p.drawRoundedRect(13, 3, 6, 20, 3, 3);
      p.setBrush(QColor(200, 30, 30));
      p.drawEllipse(QPointF(16, 25), 5, 5);
      p.fillRect(15, 10, 2, 13, QColor(200, 30, 30));
      break;
    case ArchiveKind::Rain: {  // a drop
      QPainterPath drop;
      drop.moveTo(16, 3);
      drop.cubicTo(24, 14, 26, 19, 26, 21);
      drop.arcTo(6, 11, 20, 20, 0, -180);
      drop.cubicTo(6, 19, 8, 14, 16, 3);
      p.setPen(QPen(QColor(20, 70, 160), 1.5));
      p.setBrush(QColor(70, 140, 230));
      p.drawPath(drop);
      break;
    }
    case ArchiveKind::Snow:  // a snowflake
      p.setPen(QPen(QColor(60, 130, 200), 2.2));
      for (int a = 0; a < 3; ++a) {
        p.save();
        p.translate(16, 16);
        p.rotate(a * 60);
        p.drawLine(0, -13, 0, 13);
        p.drawLine(-4, -10, 0, -6);
        p.drawLine(4, -10, 0, -6);
        p.drawLine(-4, 10, 0, 6);
        p.drawLine(4, 10, 0, 6);
        p.restore();
      }
      break;
    case ArchiveKind::OtherEvents: {  // a lightning
      QPolygonF bolt({{18, 2}, {7, 18}, {15, 18}, {12, 30}, {25, 12}, {17, 12}, {21, 2}});
      p.setPen(QPen(QColor(150, 110, 0), 1.2));
      p.setBrush(QColor(250, 200, 30));
      p.drawPolygon(bolt);
      break;
    }
  }
  return pm;
}

}  // namespace archivewindows
