#include "rules/printouts.h"

#include "rules/months.h"

namespace printouts {

namespace {

const QString kBlankLine = QStringLiteral("     ");
const QString kSeparator = QStringLiteral("      ");

void line(TextPrinter& printer, const QString& text) { printer.printLine({PrintItem::txt(text)}); }

// Position and size shared by the three sheet printouts.
void sheetStart(TextPrinter& printer) {
  printer.setCurrentX(1000);
  printer.setCurrentY(1000);
  printer.setFontSize(15);
}

QString dayLabel(int day, int trailingBlanks) {
  const QString number = QString::number(day);
  return QString(day < 10 ? 6 : 5, QLatin1Char(' ')) + number + QStringLiteral("° Giorno") +
         QString(trailingBlanks, QLatin1Char(' '));
}

}  // namespace

void archivio(TextPrinter& printer, Recordset& archive, ArchiveKind kind, const QString& station) {
  const QStringList& fields = records::columns(kind);
  archive.moveFirst();
  if (archive.atEnd()) throw PrintFailure("empty archive");
  // A table without one of the fields would print half a record line: refuse
  // before the first line reaches the printer.
  for (const QString& field : fields)
    if (archive.fieldIndex(field) < 0) throw PrintFailure("missing field");

  line(printer, kBlankLine);
  line(printer, QStringLiteral("    Stazione meteorologica ") + station +
                    archiveDescriptor(kind).printoutTitle);
  const int count = archive.recordCount();
  for (int i = 0; i < count; ++i) {
    line(printer, QStringLiteral(" "));
    QList<PrintItem> items{PrintItem::txt(kSeparator)};
    for (int f = 0; f < fields.size(); ++f) {
      items << PrintItem::txt(archive.field(fields[f]));
      if (f + 1 < fields.size()) items << PrintItem::txt(kSeparator);
    }
    printer.printLine(items);
    archive.moveNext();
  }
  printer.endDoc();
}

void pioggiaGiornaliera(TextPrinter& printer, const QString& station,
                        const PioggiaGiornaliera& sheet) {
  sheetStart(printer);
  line(printer, kBlankLine);
  printer.printLine({PrintItem::txt(QStringLiteral("    Stazione meteorologica ") + station +
                                    QStringLiteral(" - Pioggia giornaliera mese: ") +
                                    QString::number(sheet.month) + QLatin1Char('/')),
                     PrintItem::num(sheet.year)});
  line(printer, kBlankLine);
  line(printer, kBlankLine);
  for (int d = 1; d <= 31; ++d)
    printer.printLine({PrintItem::txt(giornoPioggia(d)), PrintItem::txt(sheet.days.value(d - 1)),
                       PrintItem::txt(QStringLiteral(" mm"))});
  line(printer, kBlankLine);
  line(printer, QStringLiteral("   Totale mensile ") + sheet.totale);
  printer.endDoc();
}

void pioggiaAnno(TextPrinter& printer, const QString& station, const PioggiaAnno& sheet) {
  sheetStart(printer);
  line(printer, kBlankLine);
  line(printer, kBlankLine + QStringLiteral(" Stazione meteorologica ") + station +
                    QStringLiteral(" - Precipitazioni anno ") + QString::number(sheet.year));
  line(printer, kBlankLine);
  line(printer, kBlankLine);
  for (int m = 1; m <= 12; ++m)
    printer.printLine({PrintItem::txt(mese(m)), PrintItem::txt(sheet.months.value(m - 1)),
                       PrintItem::txt(QStringLiteral(" mm"))});
  line(printer, kBlankLine);
  line(printer, QStringLiteral("   Totale annuo ") + sheet.totale);
  line(printer, QStringLiteral(" Primo semestre ") + sheet.primosem);
  line(printer, QStringLiteral("Secondo semestre ") + sheet.secondosem);
  line(printer, QStringLiteral("  Media mensile ") + sheet.media);
  printer.endDoc();
}

void temperatureGiornaliere(TextPrinter& printer, const QString& station,
                            const TemperatureGiornaliere& sheet) {
  sheetStart(printer);
  line(printer, kBlankLine);
  line(printer, kBlankLine + QStringLiteral(" Stazione meteorologica ") + station);
  printer.printLine(
      {PrintItem::txt(kBlankLine +
                      QStringLiteral("  Temperature massime e minime mensili (in °C): ") +
                      QString::number(sheet.month) + QLatin1Char('/')),
       PrintItem::num(sheet.year)});
  line(printer, kBlankLine);
  printer.setFontBold(true);
  printer.printLine({PrintItem::txt(QStringLiteral("                           Minime       ")),
                     PrintItem::txt(QStringLiteral("         Massime       "))});
  printer.setFontBold(false);
  line(printer, QStringLiteral("        "));
  for (int d = 1; d <= 31; ++d)
    printer.printLine(
        {PrintItem::txt(giornoTemperatura(d)), PrintItem::txt(sheet.minima.value(d - 1)),
         PrintItem::txt(QString(d < 10 ? 19 : 18, QLatin1Char(' '))),
         PrintItem::txt(sheet.maxima.value(d - 1)), PrintItem::txt(QStringLiteral(" "))});
  printer.endDoc();
}

void appunti(TextPrinter& printer, const QString& station, const QString& notes) {
  printer.setCurrentX(1000);
  printer.setCurrentY(1000);
  line(printer, kBlankLine);
  line(printer,
       QStringLiteral("    Stazione meteorologica ") + station + QStringLiteral(" - Appunti/note"));
  line(printer, kBlankLine);
  line(printer, kBlankLine);
  line(printer, QStringLiteral("           ") + notes);
  printer.endDoc();
}

QString giornoPioggia(int day) { return dayLabel(day, 3); }
QString giornoTemperatura(int day) { return dayLabel(day, 5); }

QString mese(int month) {
  if (month < 1 || month > 12) return {};
  return (QStringLiteral("      ") + months::name(month)).leftJustified(16);
}

}  // namespace printouts
