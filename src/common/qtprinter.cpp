#include "common/qtprinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

class QtTextPrinter : public TextPrinter {
 public:
  QtTextPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setFullPage(true);
  }
  ~QtTextPrinter() override {
    if (painter_.isActive()) painter_.end();
  }

  void setCurrentX(int twips) override { x_ = twips; }
  void setCurrentY(int twips) override { y_ = twips; }
  int currentX() const override { return x_; }
  int currentY() const override { return y_; }
  void setFontSize(double points) override {
    size_ = points;
    applyFont();
  }
  void setFontBold(bool bold) override {
    bold_ = bold;
    applyFont();
  }

  void printLine(const QList<PrintItem>& items) override {
    begin();
    QString text;
    for (const PrintItem& item : items) text += item.printed();
    text.remove(QLatin1Char('\r'));
    const QStringList rows = text.split(QLatin1Char('\n'));
    const QFontMetricsF metrics(painter_.font());
    const double lineHeight = metrics.height();
    for (const QString& row : rows) {
      if (y_ + lineHeight > pageHeight()) {
        newPage();
      }
      painter_.drawText(QPointF(x_, y_ + metrics.ascent()), row);
      y_ += qRound(lineHeight);
      x_ = 0;  // a line break continues at the left edge
    }
  }

  void newPage() override {
    begin();
    if (!printer_->newPage()) throw PrintFailure("new page");
    y_ = 0;
    x_ = 0;
  }

  void endDoc() override {
    if (painter_.isActive() && !painter_.end()) throw PrintFailure("end of document");
    x_ = y_ = 0;
  }

  bool setup(QWidget* owner, const QString& title) override {
    QPrintDialog dialog(printer_.get(), owner);
    if (!title.isEmpty()) dialog.setWindowTitle(title);
    return dialog.exec() == QDialog::Accepted;
  }

 private:
  void begin() {
    if (painter_.isActive()) return;
    const bool toFile = !printer_->outputFileName().isEmpty();
    if (!toFile && (printer_->printerName().isEmpty() || QPrinterInfo::availablePrinters().isEmpty()))
      throw PrintFailure("no printer installed");
    if (!painter_.begin(printer_.get())) throw PrintFailure("the printer did not start");
    const double scale = printer_->resolution() / 1440.0;
    painter_.scale(scale, scale);
    applyFont();
  }

  void applyFont() {
    if (!painter_.isActive()) return;
    QFont font(QStringLiteral("Sans Serif"));
    // Sizes in twips on the scaled painter: one point is twenty twips.
    font.setPixelSize(qMax(1, qRound(size_ * 20)));
    font.setBold(bold_);
    painter_.setFont(font);
  }

  double pageHeight() const {
    return printer_->pageLayout().fullRect(QPageLayout::Inch).height() * 1440.0;
  }

  std::unique_ptr<QPrinter> printer_;
  QPainter painter_;
  int x_ = 0;
  int y_ = 0;
  double size_ = 10;
  bool bold_ = false;
};

}  // namespace

std::unique_ptr<TextPrinter> makeQtTextPrinter() { return std::make_unique<QtTextPrinter>(); }
