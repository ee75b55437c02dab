#pragma once
// Fifty years of made-up days for the benchmarks: 1976 to 2025, a minimum
// between -15 and +20 °C, a maximum up to 15 °C above it, rain one day in four.

#include <QLocale>
#include <QRandomGenerator>
#include <QVector>

#include "rules/history.h"

inline QVector<DayRecord> sampleHistory(const QDate& first = QDate(1976, 1, 1),
                                        const QDate& last = QDate(2025, 12, 31)) {
  QVector<DayRecord> days;
  auto* random = QRandomGenerator::global();
  for (QDate d = first; d <= last; d = d.addDays(1)) {
    const int min = int(random->bounded(-150, 200)), max = min + int(random->bounded(0, 150));
    days.append({d, QLocale().toString(min / 10.0, 'f', 1), QLocale().toString(max / 10.0, 'f', 1),
                 random->bounded(4) ? QStringLiteral("0")
                                    : QLocale().toString(random->bounded(400) / 10.0, 'f', 1),
                 QString()});
  }
  return days;
}
