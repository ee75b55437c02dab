#pragma once
// What the other windows may ask of the main window. The main window owns the
// four shared recordsets for the whole run and opens the program's windows,
// each in one place; every other window reaches it only through this
// interface, so none of them depends on the shell or on one another.

#include <QDate>
#include <QMainWindow>

#include "rules/records.h"

class Recordset;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  using QMainWindow::QMainWindow;

  // The shared recordset of an archive, bound to its panel's grid.
  virtual Recordset& recordset(ArchiveKind kind) = 0;
  // Shows one archive panel; the navigation marker moves with it only when
  // asked (the sheets' hand-off to an entry dialog leaves it alone).
  virtual void showPanel(ArchiveKind kind, bool moveMarker) = 0;
  // Gives the focus back to the main window (closing a sheet or a tool).
  virtual void giveFocusBack() = 0;
  // The month of the daily temperature sheet's picker, which is also the
  // month of the daily precipitation's report and printout; a temperature
  // sheet that is not open is loaded without being shown.
  virtual QDate meseTemperature() = 0;

  // The notes window and the desk calculator mark themselves open or closed
  // in the main window's menu and toolbar.
  virtual void markNotesOpen(bool open) = 0;
  virtual void markCalculatorOpen(bool open) = 0;

  // Opening windows. A window opened from another window is owned by it.
  virtual void apriStampa(QWidget* owner) = 0;  // print dialog, modal over the owner
  // The monthly summary; `activate` false leaves the focus where it is.
  virtual void apriMese(QWidget* owner, bool activate) = 0;
  virtual void apriMedietemperature() = 0;           // daily temperature sheet
  virtual void apriArchiviopioggia() = 0;            // daily precipitation sheet
  virtual void apriPioggiaanno(QWidget* owner) = 0;  // current-year precipitation sheet

  // The station's climate, on a month of a year (month 0: the whole year).
  virtual void apriClima(int year, int month) = 0;
};
