#pragma once
// The main window: the navigation pane, the four archive panels with their
// grids on the shared recordsets, and the station information, which shows
// the station configuration held by the application context.

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <array>

#include "common/mainwindow.h"
#include "rules/recordset.h"
#include "shell/webpages.h"

class AppContext;
class QAction;
class QMenu;
class QStackedWidget;
class NavigationPane;
class UndoList;

class Form1 : public MainWindow {
  Q_OBJECT
 public:
  explicit Form1(AppContext& ctx);
  // Closes the recordsets in the kinds' order: temperature, rain, snow, other events.
  ~Form1() override;

  // The load: opens the archives, binds the grids and reads the configuration.
  // Every failure is caught and reported once; the window is shown anyway.
  // False only when the program has to end (the other-events archive is missing).
  // Each archive and the daily history are checked before they are opened;
  // the day's first load then makes a safety copy of the data file set.
  bool Form1_Load();

  // The connection procedure: opens one archive and reports its failure.
  // False when the program ends (the other-events archive cannot be opened).
  bool connetti(ArchiveKind kind);

  AppContext& context() { return ctx_; }
  Recordset& recordset(ArchiveKind kind) override { return *panelOf(kind).recordset; }
  QTableView* grid(ArchiveKind kind) { return panelOf(kind).grid; }
  QWidget* panel(ArchiveKind kind) { return panelOf(kind).widget; }
  // The panel's toolbar (Toolbar2 to Toolbar5) and its frame "Che cosa desideri fare?".
  QToolBar* panelToolbar(ArchiveKind kind) { return panelOf(kind).toolbar; }
  QGroupBox* panelFrame(ArchiveKind kind) { return panelOf(kind).frame; }

  // Shows one archive panel and hides the others. From the navigation pane
  // and the menus the matching marker moves with it; the sheets' archive
  // commands leave the markers alone.
  void showPanel(ArchiveKind kind, bool moveMarker) override;
  ArchiveKind visiblePanel() const;
  // Whether the marker of a panel's entry (this1 to this4) is visible.
  bool markerVisible(ArchiveKind kind) const;

  // No menu of the toolbars: it would hide the toolbar with no way back.
  QMenu* createPopupMenu() override { return nullptr; }

  // Gives the focus back to the main window (closing a sheet or a tool).
  void giveFocusBack() override;
  QDate meseTemperature() override;

  void markNotesOpen(bool open) override;
  void markCalculatorOpen(bool open) override;

  // The station information: the configuration's name and sensors line.
  QLabel* nome = nullptr;          // station name
  QLabel* anormaa = nullptr;       // "(a norma)" or "(non a norma)", as configured
  QFrame* infostazione = nullptr;  // the station information frame
  QLabel* Label8 = nullptr;        // "Per la guida premere F1", under the frame
  QToolBar* Toolbar1 = nullptr;    // the main toolbar

  // ---- Commands: menu bar, toolbars, panel buttons (form1_commands.cpp) ----

  // Check marks and the two-state notes button; the notes window and the desk
  // calculator set them when they load and unload.
  QAction* risorse = nullptr;  // "&Calendario"
  QAction* allfin = nullptr;   // "&Informazioni sulla stazione"
  QAction* finapp = nullptr;   // "Finestra a&ppunti"
  QAction* calco = nullptr;    // "C&alcolatrice "
  QAction* appunti = nullptr;  // Toolbar1 button 3 "Appunti/note", pressed while the notes are open
  // Enabled while the visible panel has a current record, and while there is
  // something to undo.
  QAction* modifica = nullptr;      // "&Modifica dato selezionato..."
  QAction* cancellaDato = nullptr;  // "&Cancella dato selezionato"
  QAction* annulla = nullptr;       // "Annulla &ultima modifica"

  // A menu or menu item by its name ("fi", "back", "cartee", ...); nullptr when unknown.
  QAction* menuItem(const QString& name) const;
  // A toolbar button by its key ("ins", "cance", "medie", "appunti", ...).
  static QAction* toolbarButton(QToolBar* bar, const QString& key);
  // A panel's push button by name ("Command9", ...).
  QPushButton* panelButton(const QString& name) const;

  // Menu "&File".
  void back_Click();
  void printt_Click();
  void opt_Click();
  void insfac_Click();
  void azzmese_Click();
  void azzannu_Click();
  void esci_Click();
  // Menu "&Visualizza": its opening refreshes the station information check.
  void visu_Click();
  void risorse_Click();
  void allfin_Click();
  void finapp_Click();
  void calco_Click();
  // Menu "&Archivio dati" (its first items show the panels, F5 to F8).
  void inserisci_Click();  // the "Inserisci" of the panel in view
  void modifica_Click();
  void cancella_Click();  // the "Cancella " of the panel in view
  void annulla_Click();
  void esportaCsv_Click();
  void importaCsv_Click();
  // Menu "&Strumenti meteo".
  void precmens_Click();
  void prpanno_Click();
  void medietemp_Click();
  void riepilogo_Click();
  void dewpoint_Click();
  // Menu "&?" (the web pages of "&Risorse on-line" and "&?" go through apriPagina).
  void guidaa_Click();
  void GUIDAHTML_Click();
  void abouttt_Click();
  // Toolbars, dispatched on the key of the button clicked.
  void Toolbar1_ButtonClick(const QString& key);
  // The button of that key on a panel's toolbar: "ins", "cance", "medie".
  void panelToolbarClick(ArchiveKind kind, const QString& key);
  // Push buttons of the panels.
  void Command9_Click();
  void Command5_Click();
  void Command8_Click();
  void Command10_Click();
  void Command4_Click();
  void Command3_Click();
  void Command6_Click();
  void Command7_Click();
  void Command1_Click();
  void Command2_Click();

  // Each window that the commands open is opened in one place.
  void apriInserimento(ArchiveKind kind);         // the archive's record entry, modal
  void apriMedietemperature() override;           // daily temperature sheet, owned
  void apriArchiviopioggia() override;            // daily precipitation sheet, owned
  void apriPioggiaanno(QWidget* owner) override;  // current-year precipitation sheet
  void apriPioggiaanno() { apriPioggiaanno(this); }
  void apriMese(QWidget* owner, bool activate) override;  // monthly summary
  void apriMese() { apriMese(this, true); }
  void apriDewpointt();  // meteorological calculator, owned
  void apriStorico();    // daily history, owned
  void clima_Click();    // the station's climate, owned
  void apriClima(int year, int month) override;
  void apriStampa(QWidget* owner) override;  // print dialog, modal over the owner
  void azzeramentoMensile();                 // monthly reset
  void azzeramentoAnnuale();                 // annual reset
  // Notes window: the menu item also sets its own check mark, the toolbar button does not.
  void toggleAppunti(bool fromMenu);

  // Deletes the current record of a panel's archive once the keeper said yes,
  // every failure ignored; the deletion can be undone for the rest of the run.
  void cancella(ArchiveKind kind);
  // Corrects the current record of a panel's archive in its entry dialog, or
  // in the plain editor when its texts do not fit the dialog; the correction
  // can be undone for the rest of the run. No current record: nothing happens.
  void modificaDato(ArchiveKind kind);
  // Takes back the last deletion or correction of the run and shows its panel.
  void annullaUltima();
  UndoList& undoList() { return *undo_; }
  // Opens a web page in the browser; failures ignored.
  void apriPagina(webpages::Page page);
  // Opens a help page of the data folder; when no program could open it, says
  // so with the file's path.
  void apriPaginaLocale(const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Closing the main window ends the run: typing not yet saved is asked about first.
  void closeEvent(QCloseEvent* event) override;

 private:
  bool load();
  bool connectArchive(ArchiveKind kind, const QString& message);
  // The check before an archive is opened (form1_checks.cpp): one that is not
  // an archive of Nubilario is refused once the keeper is told; a damaged one
  // is restored from a safety copy or, as the keeper chooses, opened read-only.
  enum class Opening { Normal, ReadOnly, Refused };
  Opening checkArchive(const QString& fileName);
  void checkHistory();
  void dailySafetyCopy();
  // Names, once, what lies in the copies' folder that the rotation leaves alone.
  void tellStrangers();
  bool openAndBind(ArchiveKind kind);
  // Shows the station configuration of the context.
  void showConfig();
  void buildPanel(ArchiveKind kind);
  QFrame* buildStationFrame();
  void buildCommands();
  void buildMenus();
  void buildToolbars();
  void buildPanelButtons();
  void refreshEditItems();

  // An archive's panel: its shared recordset and the widgets that show it.
  struct Panel {
    Recordset* recordset = nullptr;
    QWidget* widget = nullptr;
    QToolBar* toolbar = nullptr;
    QTableView* grid = nullptr;
    QGroupBox* frame = nullptr;
  };
  Panel& panelOf(ArchiveKind kind) { return panels_[std::size_t(kind)]; }

  AppContext& ctx_;
  NavigationPane* pane_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  std::array<Panel, kArchiveCount> panels_{};
  UndoList* undo_ = nullptr;
  bool unsound_ = false;  // an archive was refused or left damaged at the load
};
