#include "common/qtprinter.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// Printers cannot print up to the paper's edge; a PDF can, but a page that
// starts a quarter of an inch in reads like one from a printer.
constexpr double kMinMarginInch = 0.25;

class QtTextPrinter : public TextPrinter {
 public:
  explicit QtTextPrinter(const QString& pdfFile)
      : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    if (!pdfFile.isEmpty()) {
      printer_->setOutputFormat(QPrinter::PdfFormat);
      printer_->setOutputFileName(pdfFile);
      chosen_ = true;
    }
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
    for (const QString& row : rows) printRow(row);
  }

  void newPage() override {
    begin();
    if (!printer_->newPage()) throw PrintFailure("new page");
    y_ = 0;
    x_ = 0;
  }

  void endDoc() override {
    x_ = y_ = 0;
    if (painter_.isActive() && !painter_.end()) throw PrintFailure("end of document");
  }

  void abortDoc() override {
    x_ = y_ = 0;
    if (!painter_.isActive()) return;
    const bool aborted = printer_->abort();
    painter_.end();
    // A PDF engine cannot abort: drop the half-written file instead.
    if (!aborted && !printer_->outputFileName().isEmpty())
      QFile::remove(printer_->outputFileName());
  }

  bool setup(QWidget* owner, const QString& title) override {
    if (!chosen_) useCurrentPrinter(false);
    QPrintDialog dialog(printer_.get(), owner);
    if (!title.isEmpty()) dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted) return false;
    chosen_ = true;
    return true;
  }

 private:
  // Until the user picks a printer in the setup dialog, every document goes to
  // the system's current printer as it is when the document starts.
  void useCurrentPrinter(bool required) {
    QString name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty()) {
      const QStringList names = QPrinterInfo::availablePrinterNames();
      if (!names.isEmpty()) name = names.constFirst();
    }
    if (name.isEmpty()) {
      if (required) throw PrintFailure("no printer installed");
      return;
    }
    if (printer_->outputFormat() != QPrinter::NativeFormat || printer_->printerName() != name) {
      printer_->setOutputFormat(QPrinter::NativeFormat);
      printer_->setPrinterName(name);
    }
  }

  void begin() {
    if (painter_.isActive()) return;
    if (!chosen_) useCurrentPrinter(true);
    if (printer_->outputFormat() == QPrinter::NativeFormat && printer_->printerName().isEmpty())
      throw PrintFailure("no printer installed");
    printer_->setFullPage(false);
    QPageLayout layout = printer_->pageLayout();
    layout.setUnits(QPageLayout::Inch);
    const QMarginsF least = layout.minimumMargins();
    layout.setMargins(
        QMarginsF(qMax(least.left(), kMinMarginInch), qMax(least.top(), kMinMarginInch),
                  qMax(least.right(), kMinMarginInch), qMax(least.bottom(), kMinMarginInch)));
    printer_->setPageLayout(layout);
    if (!painter_.begin(printer_.get())) throw PrintFailure("the printer did not start");
    // The painter works in twips from the printable area's top-left corner.
    const double scale = printer_->resolution() / 1440.0;
    painter_.scale(scale, scale);
    applyFont();
  }

  void applyFont() {
    if (!painter_.isActive()) return;
    // Fixed pitch, so that the columns that the printouts build with blanks line up.
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    // Sizes in twips on the scaled painter: one point is twenty twips.
    font.setPixelSize(qMax(1, qRound(size_ * 20)));
    font.setBold(bold_);
    painter_.setFont(font);
  }

  // One row of text from the current position. A row wider than the page
  // continues on the next row at the left edge rather than run off the paper;
  // blanks past the right edge print nothing and start no row of their own.
  void printRow(QString row) {
    const QFontMetricsF metrics(painter_.font());
    const double lineHeight = metrics.lineSpacing();
    for (;;) {
      if (y_ > 0 && y_ + lineHeight > pageHeight()) newPage();
      const double room = pageWidth() - x_;
      if (metrics.horizontalAdvance(row) > room) {
        qsizetype end = row.size();
        while (end > 0 && row.at(end - 1) == QLatin1Char(' ')) --end;
        if (end > 0 && metrics.horizontalAdvance(row.left(end)) <= room) row.truncate(end);
      }
      qsizetype fit = row.size();
      if (metrics.horizontalAdvance(row) > room) {
        qsizetype lo = 0, hi = row.size();
        while (lo < hi) {
          const qsizetype mid = (lo + hi + 1) / 2;
          if (metrics.horizontalAdvance(row.left(mid)) <= room)
            lo = mid;
          else
            hi = mid - 1;
        }
        fit = lo;
        const qsizetype blank = row.lastIndexOf(QLatin1Char(' '), fit);
        if (blank > 0 && blank < fit) fit = blank;
        // Not even one character fits after the current position: start at the edge.
        if (fit == 0) fit = x_ > 0 ? 0 : 1;
      }
      if (fit > 0 || row.isEmpty())
        painter_.drawText(QPointF(x_, y_ + metrics.ascent()), row.left(fit));
      y_ += qRound(lineHeight);
      x_ = 0;
      if (fit >= row.size()) return;
      row = row.mid(fit);
      if (row.startsWith(QLatin1Char(' ')) && fit > 0) row.remove(0, 1);
      if (row.trimmed().isEmpty()) return;
    }
  }

  double pageHeight() const {
    return printer_->pageLayout().paintRect(QPageLayout::Inch).height() * 1440.0;
  }
  double pageWidth() const {
    return printer_->pageLayout().paintRect(QPageLayout::Inch).width() * 1440.0;
  }

  std::unique_ptr<QPrinter> printer_;
  QPainter painter_;
  bool chosen_ = false;  // a printer or file picked in the setup dialog (or by the caller)
  int x_ = 0;
  int y_ = 0;
  double size_ = 10;
  bool bold_ = false;
};

}  // namespace

std::unique_ptr<TextPrinter> makeQtTextPrinter(const QString& pdfFile) {
  return std::make_unique<QtTextPrinter>(pdfFile);
}

namespace {

class QtPicturePrinter : public PicturePrinter {
 public:
  bool print(QWidget* owner, const QString& title,
             const std::function<void(QPainter&, const QRect&)>& draw) override {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted) return false;
    QPainter painter;
    if (!painter.begin(&printer)) throw PrintFailure("the printer did not start");
    draw(painter, painter.viewport());
    if (!painter.end()) throw PrintFailure("the page could not be finished");
    return true;
  }
};

}  // namespace

std::unique_ptr<PicturePrinter> makeQtPicturePrinter() {
  return std::make_unique<QtPicturePrinter>();
}
