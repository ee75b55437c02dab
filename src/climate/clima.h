#pragma once
// "Clima": the station's climate from its own readings. The keeper picks what
// to see (a month, a year, a span of years, the normals, the records) and
// the reference period of the normals; the figures appear as the report
// that can be saved as text and printed, and the four charts can be drawn,
// saved as PNG, SVG or PDF. Everything is read from the daily history and
// the temperature and rain archives, never written.

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QWidget>
#include <optional>

#include "common/toolwindow.h"
#include "rules/climate.h"

class AppContext;
class QChartView;

class clima : public ToolWindow<QWidget> {
  Q_OBJECT
 public:
  explicit clima(AppContext& ctx);

  enum Vista { Mese, Anno, Anni, Normali, Record };

  // Shows the month (and its year) of `month`.
  void showMonth(const QDate& month);
  // Shows a whole year.
  void showYear(int year);
  // Reads the history and the archives again.
  void ricarica();

  QComboBox* vista = nullptr;  // what to see
  QComboBox* mese = nullptr;   // the month
  QSpinBox* anno = nullptr;    // the year (the first of a span)
  QSpinBox* finoAl = nullptr;  // the last year of a span, the year compared
  QSpinBox* normaliDal = nullptr;
  QSpinBox* normaliAl = nullptr;
  QTabWidget* schede = nullptr;
  QPlainTextEdit* resoconto = nullptr;
  QComboBox* grafico = nullptr;
  QChartView* disegno = nullptr;
  QLabel* stato = nullptr;  // where the figures come from, what is missing
  QPushButton* salvaResoconto = nullptr;
  QPushButton* stampaResoconto = nullptr;
  QPushButton* salvaGrafico = nullptr;
  QPushButton* stampaGrafico = nullptr;
  QPushButton* chiudi = nullptr;

  void salvaResoconto_Click();
  void stampaResoconto_Click();
  void salvaGrafico_Click();
  void stampaGrafico_Click();

  // The report shown, one line per line.
  QStringList righe() const { return righe_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void aggiorna();
  void aggiornaGrafico();
  QString stazione() const;
  // The save-file dialog; a file that could not be written, said.
  std::optional<QString> chiediFile(const QString& titolo, const QString& filtro,
                                    const QString& nome);
  void nonSalvato(const QString& cosa, const QString& path, const QString& error);

  climate::Station station_;

  climate::Normals normals_;
  QStringList righe_;
  bool loading_ = false;
};
