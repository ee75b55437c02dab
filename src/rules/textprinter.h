#pragma once
// The current printer as a text device, as the printouts see it. The program
// prints on a QPrinter (common/qtprinter.h); the tests on a recording printer.

#include <QList>
#include <QString>
#include <stdexcept>

class QWidget;

// Raised by a printer operation that cannot be carried out (no printer
// installed, the document could not be started or finished).
class PrintFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One item of a printed line. Numbers print the classic way: a blank before a
// non-negative number and one blank after every number; text prints as it is.
struct PrintItem {
  QString text;
  bool number = false;
  static PrintItem txt(const QString& t) { return {t, false}; }
  static PrintItem num(qint64 n) { return {QString::number(n), true}; }
  static PrintItem num(const QString& plainNumber) { return {plainNumber, true}; }
  // The characters this item puts on paper.
  QString printed() const {
    if (!number) return text;
    return (text.startsWith(QLatin1Char('-')) ? QString() : QStringLiteral(" ")) + text +
           QLatin1Char(' ');
  }
};

// The current printer as a text device. Positions are in twips (1/1440 inch)
// from the top-left corner of the page. A document starts with the first output
// and ends with endDoc(). Every operation may throw PrintFailure.
class TextPrinter {
 public:
  virtual ~TextPrinter() = default;
  virtual void setCurrentX(int twips) = 0;
  virtual void setCurrentY(int twips) = 0;
  virtual int currentX() const = 0;
  virtual int currentY() const = 0;
  virtual void setFontSize(double points) = 0;
  virtual void setFontBold(bool bold) = 0;
  // Prints the items one after the other from the current position, then moves
  // to the start of the next line (x = 0). Line breaks inside a text continue
  // at the left edge. A line below the page's end continues on a new page.
  virtual void printLine(const QList<PrintItem>& items) = 0;
  virtual void newPage() = 0;
  virtual void endDoc() = 0;
  // Drops the document in progress after a failure, so that its lines do not
  // end up in the next document. Never throws.
  virtual void abortDoc() = 0;
  // The printer-setup dialog: false when cancelled. The choice is kept for the
  // printouts that follow.
  virtual bool setup(QWidget* owner, const QString& title) = 0;
};
