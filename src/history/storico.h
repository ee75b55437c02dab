#pragma once
// "Storico giornaliero": the daily history one month at a time. The keeper
// picks a month, reads and corrects each day (minimum, maximum,
// precipitation, note) with the number rules of the sheets, and every change
// is written at once; the changes of the run can be undone, last first.
// Values that look wrong are marked, never refused. The reports the daily
// sheets wrote in earlier months are imported from here.

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QWidget>

#include "common/toolwindow.h"

class AppContext;
class DailyHistory;

class storico : public ToolWindow<QWidget> {
  Q_OBJECT
 public:
  // The columns of the grid.
  enum Colonna { Giorno, Minima, Massima, Precipitazione, Note, Colonne };

  explicit storico(AppContext& ctx);

  // The month shown.
  QDate month() const;
  void showMonth(const QDate& month);

  QComboBox* Combo1 = nullptr;  // the month
  QSpinBox* anno = nullptr;     // the year
  QPushButton* precedente = nullptr;
  QPushButton* successivo = nullptr;
  QTableWidget* giorni = nullptr;
  QLabel* riepilogo = nullptr;  // means, total and days stored
  QPushButton* annulla = nullptr;
  QPushButton* importa = nullptr;
  QPushButton* chiudi = nullptr;

  void annulla_Click();
  void importa_Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Fills the grid from the history; false when the history cannot be opened.
  void carica();
  // A cell changed by the keeper: the day is written at once.
  void cellChanged(QTableWidgetItem* item);
  void marca();
  void aggiornaRiepilogo();
  void aggiornaAnnulla();

  DailyHistory* history_ = nullptr;
  bool loading_ = false;
};
