#include "shell/toolbaricons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace toolbaricons {

namespace {

const QColor kInk(0x37, 0x47, 0x5a);
const QColor kPaper(0xfb, 0xfc, 0xfe);
const QColor kBlue(0x2b, 0x6c, 0xc4);

void page(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(kPaper);
  p.drawRoundedRect(r, 1.5, 1.5);
}

void lines(QPainter& p, qreal x0, qreal x1, qreal y, int count, qreal step) {
  p.setPen(QPen(QColor(0x8a, 0x9a, 0xad), 1.4));
  for (int i = 0; i < count; ++i) p.drawLine(QPointF(x0, y + i * step), QPointF(x1, y + i * step));
}

void draw(QPainter& p, Picture picture) {
  switch (picture) {
    case Picture::Calculator: {
      // Thermometer beside a drop: the weather calculator.
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(kPaper);
      p.drawRoundedRect(QRectF(7, 3, 6, 20), 3, 3);
      p.setBrush(QColor(0xd2, 0x3a, 0x2f));
      p.drawEllipse(QRectF(5, 19, 10, 10));
      p.fillRect(QRectF(9, 10, 2, 11), QColor(0xd2, 0x3a, 0x2f));
      QPainterPath drop;
      drop.moveTo(23, 8);
      drop.cubicTo(27, 14, 29, 17, 29, 20);
      drop.arcTo(QRectF(17, 14, 12, 12), 0, -180);
      drop.cubicTo(17, 17, 19, 14, 23, 8);
      p.setBrush(kBlue);
      p.drawPath(drop);
      break;
    }
    case Picture::Notes:
      page(p, QRectF(6, 4, 20, 25));
      lines(p, 9, 23, 11, 5, 3.6);
      p.setPen(QPen(kInk, 2));
      for (qreal x : {10.0, 16.0, 22.0}) p.drawLine(QPointF(x, 2), QPointF(x, 6));
      break;
    case Picture::Summary:
      page(p, QRectF(5, 3, 18, 24));
      lines(p, 8, 20, 9, 5, 3.6);
      p.setPen(QPen(kBlue, 2.2));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(17, 17, 9, 9));
      p.drawLine(QPointF(25, 25), QPointF(29, 29));
      break;
    case Picture::Print:
      page(p, QRectF(9, 3, 14, 10));
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(QColor(0xc9, 0xd3, 0xdf));
      p.drawRoundedRect(QRectF(3, 11, 26, 12), 2, 2);
      page(p, QRectF(9, 19, 14, 10));
      lines(p, 11, 21, 23, 2, 3);
      break;
    case Picture::Updates: {
      p.setPen(QPen(kBlue, 3, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(5, 5, 22, 22), 30 * 16, 240 * 16);
      QPainterPath head;
      head.moveTo(27, 4);
      head.lineTo(27, 13);
      head.lineTo(18, 13);
      head.closeSubpath();
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawPath(head);
      break;
    }
    case Picture::Insert:
      page(p, QRectF(5, 3, 18, 24));
      lines(p, 8, 20, 9, 3, 3.6);
      p.setPen(QPen(QColor(0x2e, 0x8b, 0x3e), 3.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(23, 17), QPointF(23, 29));
      p.drawLine(QPointF(17, 23), QPointF(29, 23));
      break;
    case Picture::Delete:
      page(p, QRectF(5, 3, 18, 24));
      lines(p, 8, 20, 9, 3, 3.6);
      p.setPen(QPen(QColor(0xc6, 0x28, 0x28), 3.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(18, 18), QPointF(28, 28));
      p.drawLine(QPointF(28, 18), QPointF(18, 28));
      break;
    case Picture::Sheet:
      page(p, QRectF(4, 5, 24, 22));
      p.setPen(QPen(QColor(0x8a, 0x9a, 0xad), 1));
      for (qreal y : {11.0, 16.0, 21.0}) p.drawLine(QPointF(4, y), QPointF(28, y));
      for (qreal x : {12.0, 20.0}) p.drawLine(QPointF(x, 5), QPointF(x, 27));
      p.fillRect(QRectF(4.6, 5.6, 22.8, 5), QColor(0xb9, 0xd0, 0xec));
      break;
  }
}

}  // namespace

QIcon icon(Picture picture) {
  QIcon result;
  for (int size : {32, 64}) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    draw(p, picture);
    p.end();
    result.addPixmap(pm);
  }
  return result;
}

}  // namespace toolbaricons
