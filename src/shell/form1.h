#pragma once
// The main window: the navigation pane, the four archive panels with their
// grids on the shared recordsets, the station information and the hidden
// labels that hold the station configuration for the other windows.

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QTableView>
#include <QToolBar>
#include <array>

#include "archive/recordset.h"

class AppContext;
class QStackedWidget;
class NavigationPane;

class Form1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit Form1(AppContext& ctx);
  // Closes the four recordsets in the order temperature, rain, snow, other events.
  ~Form1() override;

  // The load: opens the archives, binds the grids and reads the configuration.
  // Every failure is caught and reported once; the window is shown anyway.
  // False only when the program has to end (the other-events archive is missing).
  bool Form1_Load();

  // The connection procedures: each opens one archive and reports its failure.
  bool connetti();
  bool connetti2();
  bool connetti3();
  bool connetti4();

  AppContext& context() { return ctx_; }
  Recordset& recordset(ArchiveKind kind) { return *recordsets_[index(kind)]; }
  QTableView* grid(ArchiveKind kind) { return grids_[index(kind)]; }
  QWidget* panel(ArchiveKind kind) { return panels_[index(kind)]; }
  // The panel's toolbar (Toolbar2 to Toolbar5) and its frame "Che cosa desideri fare?".
  QToolBar* panelToolbar(ArchiveKind kind) { return toolbars_[index(kind)]; }
  QGroupBox* panelFrame(ArchiveKind kind) { return frames_[index(kind)]; }

  // Shows one archive panel and hides the other three. From the navigation pane
  // and the menus the matching marker moves with it; the sheets' archive
  // commands leave the markers alone.
  void showPanel(ArchiveKind kind, bool moveMarker);
  ArchiveKind visiblePanel() const;
  // Whether the marker of a panel's entry (this1 to this4) is visible.
  bool markerVisible(ArchiveKind kind) const;

  // Gives the focus back to the main window (closing a sheet or a tool).
  void giveFocusBack();

  // The station configuration, one value per hidden label (captions as read).
  QLabel* nome = nullptr;               // station name, shown in the information frame
  QLabel* anormaa = nullptr;            // "(a norma)" or "(non a norma)", shown
  QLabel* mostrainfo = nullptr;         // "si" or "no", hidden
  QLabel* percorsoappunti = nullptr;    // notes folder, hidden
  QLabel* riepiloghimensili = nullptr;  // summaries folder, hidden
  QFrame* infostazione = nullptr;       // the station information frame
  QLabel* Label8 = nullptr;             // "Per la guida premere F1", under the frame
  QToolBar* Toolbar1 = nullptr;         // the main toolbar

  static int index(ArchiveKind kind) { return int(kind); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool connectArchive(ArchiveKind kind, const QString& message);
  bool openAndBind(ArchiveKind kind);
  void readConfiguration();
  QWidget* buildPanel(ArchiveKind kind);
  QFrame* buildStationFrame();

  AppContext& ctx_;
  NavigationPane* pane_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  std::array<Recordset*, 4> recordsets_{};
  std::array<QTableView*, 4> grids_{};
  std::array<QWidget*, 4> panels_{};
  std::array<QToolBar*, 4> toolbars_{};
  std::array<QGroupBox*, 4> frames_{};
};
