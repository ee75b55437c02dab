// The main window's commands: the menu bar, the main toolbar, the toolbars and
// push buttons of the archive panels, and the few commands that do work of
// their own (deleting, correcting and undoing, the toggles, the pages,
// starting backup).
//
// Every window a command opens is opened in one apri* function below, so each
// window is wired in exactly one place.

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <memory>

#include "archive/archivewindows.h"
#include "archive/modificadato.h"
#include "climate/clima.h"
#include "common/appcontext.h"
#include "common/unsaved.h"
#include "csv/esportacsv.h"
#include "csv/importacsv.h"
#include "history/storico.h"
#include "print/stampa.h"
#include "rules/undolist.h"
#include "sheets/archiviopioggia.h"
#include "sheets/medietemperature.h"
#include "sheets/pioggiaanno.h"
#include "shell/cal.h"
#include "shell/dialog1.h"
#include "shell/form1.h"
#include "shell/frmabout.h"
#include "shell/reset.h"
#include "shell/toolbaricons.h"
#include "summary/mese.h"
#include "tools/calculator.h"
#include "tools/dewpointt.h"
#include "tools/dialog.h"

using webpages::Page;

namespace {

const QString kBackupTitle = QStringLiteral("Nubilario - Avvio procedura di Backup");
const QString kBackupQuestion = QStringLiteral(
    "Per poter utilizzare questa utilità è necessario chiudere Nubilario. Chiudere adesso il "
    "programma?");
const QString kBackupMissing = QStringLiteral(
    "Imposssibile aprire l'utilità di backup. Assicurarsi che sia stata correttamente installata "
    "sul computer");
const QString kDeleteQuestion = QStringLiteral("Cancellare il dato selezionato?");
const QString kNotUndone = QStringLiteral(
    "Impossibile scrivere nell'archivio: l'ultima modifica non è stata annullata. Verificare che "
    "l'archivio non sia protetto da scrittura o in uso da un altro programma, quindi riprovare.");
const QString kPresentationMissing = QStringLiteral(
    "Impossibile trovare la pagina di presentazione di Nubilario. Assicurarsi che sia stata "
    "installata correttamente.");

const QString kPageNotOpened = QStringLiteral(
    "Nessun programma ha potuto aprire la pagina:\n%1\nAprirla a mano con un browser.");

#ifdef Q_OS_WIN
const QString kBackupProgram = QStringLiteral("backup.exe");
#else
const QString kBackupProgram = QStringLiteral("backup");
#endif

// Shows a single-instance window owned by the main window, or closes it when
// it is open. True when the window is now shown.
template <class W>
bool toggleOwned(AppContext& ctx, Form1& main) {
  if (W* w = ctx.existing<W>(); w && w->isVisible()) {
    w->close();
    return false;
  }
  ctx.window<W>()->mostra(&main);
  return true;
}

}  // namespace

void Form1::buildCommands() {
  buildMenus();
  buildToolbars();
  buildPanelButtons();
}

void Form1::buildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MenuBar"));

  auto menu = [this](QWidget* parent, const char* name, const QString& caption) {
    auto* m = new QMenu(caption, parent);
    m->setObjectName(QLatin1String(name));
    m->menuAction()->setObjectName(QLatin1String(name));
    if (auto* pm = qobject_cast<QMenu*>(parent))
      pm->addMenu(m);
    else
      menuBar()->addMenu(m);
    return m;
  };
  auto item = [this](QMenu* m, const char* name, const QString& caption, void (Form1::*handler)(),
                     const QKeySequence& key = {}) {
    QAction* a = m->addAction(caption);
    a->setObjectName(QLatin1String(name));
    if (!key.isEmpty()) a->setShortcut(key);
    connect(a, &QAction::triggered, this, handler);
    return a;
  };
  auto page = [this](QMenu* m, const char* name, const QString& caption, Page p) {
    QAction* a = m->addAction(caption);
    a->setObjectName(QLatin1String(name));
    connect(a, &QAction::triggered, this, [this, p] { apriPagina(p); });
    return a;
  };

  QMenu* fi = menu(bar, "fi", QStringLiteral("&File"));
  item(fi, "back", QStringLiteral("&Backup dei dati..."), &Form1::back_Click);
  fi->addSeparator();
  item(fi, "printt", QStringLiteral("&Stampa..."), &Form1::printt_Click,
       QKeySequence(Qt::CTRL | Qt::Key_S));
  fi->addSeparator();
  item(fi, "opt", QStringLiteral("&Opzioni..."), &Form1::opt_Click);
  fi->addSeparator();
  item(fi, "insfac", QStringLiteral("Inserimento &giornaliero facilitato"), &Form1::insfac_Click,
       QKeySequence(Qt::Key_F11));
  fi->addSeparator();
  item(fi, "azzmese", QStringLiteral("Azzeramento &mensile"), &Form1::azzmese_Click);
  item(fi, "azzannu", QStringLiteral("Azzeramento &annuale"), &Form1::azzannu_Click);
  fi->addSeparator();
  item(fi, "esci", QStringLiteral("&Esci"), &Form1::esci_Click, QKeySequence(Qt::CTRL | Qt::Key_E));

  QMenu* visu = menu(bar, "visu", QStringLiteral("&Visualizza"));
  connect(visu, &QMenu::aboutToShow, this, &Form1::visu_Click);
  risorse = item(visu, "risorse", QStringLiteral("&Calendario"), &Form1::risorse_Click);
  allfin =
      item(visu, "allfin", QStringLiteral("&Informazioni sulla stazione"), &Form1::allfin_Click);
  visu->addSeparator();
  finapp = item(visu, "finapp", QStringLiteral("Finestra a&ppunti"), &Form1::finapp_Click,
                QKeySequence(Qt::CTRL | Qt::Key_A));
  calco = item(visu, "calco", QStringLiteral("C&alcolatrice "), &Form1::calco_Click);
  for (QAction* a : {risorse, allfin, finapp, calco}) a->setCheckable(true);

  QMenu* evmeteo = menu(bar, "evmeteo", QStringLiteral("&Archivio dati"));
  for (ArchiveKind kind : kArchiveKinds) {
    const ArchiveDescriptor::MenuItem& m = archiveDescriptor(kind).menuItem;
    QAction* a = evmeteo->addAction(m.caption);
    a->setObjectName(QLatin1String(m.name));
    a->setShortcut(QKeySequence(m.key));
    connect(a, &QAction::triggered, this, [this, kind] { showPanel(kind, true); });
  }
  evmeteo->addSeparator();
  // What the panel's toolbar buttons do, for the archive in view, from the keyboard.
  item(evmeteo, "inserisci", QStringLiteral("Inserisci un nuovo &dato..."), &Form1::inserisci_Click,
       QKeySequence(Qt::Key_Insert));
  modifica = item(evmeteo, "modifica", QStringLiteral("&Modifica dato selezionato..."),
                  &Form1::modifica_Click);
  cancellaDato = item(evmeteo, "cancella", QStringLiteral("&Cancella dato selezionato"),
                      &Form1::cancella_Click, QKeySequence(Qt::Key_Delete));
  annulla = item(evmeteo, "annulla", QStringLiteral("Annulla &ultima modifica"),
                 &Form1::annulla_Click, QKeySequence(Qt::CTRL | Qt::Key_Z));
  evmeteo->addSeparator();
  item(evmeteo, "storicogiorni", QStringLiteral("&Storico giornaliero..."), &Form1::apriStorico,
       QKeySequence(Qt::CTRL | Qt::Key_G));
  evmeteo->addSeparator();
  item(evmeteo, "esportacsv", QStringLiteral("&Esporta in CSV..."), &Form1::esportaCsv_Click);
  item(evmeteo, "importacsv", QStringLiteral("&Importa da CSV..."), &Form1::importaCsv_Click);

  QMenu* stru = menu(bar, "stru", QStringLiteral("&Strumenti meteo"));
  item(stru, "precmens", QStringLiteral("Precipitazioni &giornaliere..."), &Form1::precmens_Click,
       QKeySequence(Qt::Key_F2));
  item(stru, "prpanno", QStringLiteral("P&recipitazioni anno corrente..."), &Form1::prpanno_Click,
       QKeySequence(Qt::Key_F4));
  stru->addSeparator();
  item(stru, "medietemp", QStringLiteral("&Temperature giornaliere e media mensile..."),
       &Form1::medietemp_Click, QKeySequence(Qt::Key_F3));
  stru->addSeparator();
  item(stru, "riepilogo", QStringLiteral("&Riepilogo Mensile..."), &Form1::riepilogo_Click,
       QKeySequence(Qt::Key_F9));
  stru->addSeparator();
  item(stru, "dewpoint", QStringLiteral("&Calcolatore meteo..."), &Form1::dewpoint_Click);
  item(stru, "clima", QStringLiteral("C&lima della stazione..."), &Form1::clima_Click,
       QKeySequence(Qt::CTRL | Qt::Key_L));

  QMenu* riso = menu(bar, "riso", QStringLiteral("&Risorse on-line"));
  page(riso, "CML", QStringLiteral("Sito del &CML"), Page::W1);
  page(riso, "mf", QStringLiteral("&Meteoforum"), Page::W2);
  riso->addSeparator();
  QMenu* cartee = menu(riso, "cartee", QStringLiteral("Carte &GFS"));
  page(cartee, "geopot500", QStringLiteral("Geopotenziale e temperatura a 500 HPa"), Page::W3);
  page(cartee, "temp850", QStringLiteral("Geopotenziale e temperatura a 850 HPa"), Page::W4);
  page(cartee, "precgfs", QStringLiteral("Precipitazioni"), Page::W5);
  QMenu* ens = menu(riso, "ENS", QStringLiteral("Carte &ENS"));
  page(ens, "GEOPOTENS", QStringLiteral("Geopotenziale a 500 mb"), Page::W6);
  page(ens, "TEMPENS", QStringLiteral("Temperatura a 850 mb"), Page::W7);
  page(riso, "altrecarte", QStringLiteral("&Altre carte meteo"), Page::W8);
  page(riso, "carte", QStringLiteral("Altre carte meteo (&LAM)"), Page::W9);
  riso->addSeparator();
  page(riso, "spaghi", QStringLiteral("S&paghi"), Page::W10);
  page(riso, "imgsat", QStringLiteral("&Immagine Meteosat (Europa)"), Page::W11);
  riso->addSeparator();
  page(riso, "mm", QStringLiteral("&Sito di Nubilario"), Page::W12);

  QMenu* boh = menu(bar, "boh", QStringLiteral("&?"));
  item(boh, "guidaa", QStringLiteral("&Caratteristiche della nuova versione"),
       &Form1::guidaa_Click);
  item(boh, "GUIDAHTML", QStringLiteral("&Guida"), &Form1::GUIDAHTML_Click,
       QKeySequence(Qt::Key_F1));
  page(boh, "forummm", QStringLiteral("&Forum di Nubilario"), Page::W13);
  boh->addSeparator();
  page(boh, "agg", QStringLiteral("&Aggiornamenti del software"), Page::W14);
  boh->addSeparator();
  page(boh, "miositomenu", QStringLiteral("&Sito web dell'autore"), Page::W15);
  boh->addSeparator();
  item(boh, "abouttt", QStringLiteral("&Informazioni su Nubilario..."), &Form1::abouttt_Click);
}

void Form1::buildToolbars() {
  auto button = [](QToolBar* bar, const QString& caption, const char* key, const QString& tip,
                   const QIcon& icon = {}) {
    QAction* a = bar->addAction(icon, caption);
    a->setObjectName(QLatin1String(key));
    a->setData(QLatin1String(key));
    a->setIconText(caption);  // kept whole: Qt would drop the dots of "Stampa..."
    a->setToolTip(tip);
    return a;
  };
  using toolbaricons::icon;
  using toolbaricons::Picture;

  Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button(Toolbar1, QStringLiteral("Calcolatore meteo"), "calcolatoremeteo",
         QStringLiteral("Apri Calcolatore meteo"), icon(Picture::Calculator));
  Toolbar1->addSeparator();
  appunti = button(Toolbar1, QStringLiteral("Appunti/note"), "appunti",
                   QStringLiteral("Visualizza/nascondi Finestra appunti"), icon(Picture::Notes));
  appunti->setCheckable(true);
  Toolbar1->addSeparator();
  button(Toolbar1, QStringLiteral("Riepilogo mese"), "calco",
         QStringLiteral("Apri Riepilogo Mensile"), icon(Picture::Summary));
  Toolbar1->addSeparator();
  button(Toolbar1, QStringLiteral("Stampa..."), "stampa", QStringLiteral("Stampa i dati"),
         icon(Picture::Print));
  Toolbar1->addSeparator();
  button(Toolbar1, QStringLiteral("Aggiornamenti"), "risorse",
         QStringLiteral("Cerca aggiornamenti di Nubilario"), icon(Picture::Updates));
  connect(Toolbar1, &QToolBar::actionTriggered, this,
          [this](QAction* a) { Toolbar1_ButtonClick(a->data().toString()); });

  for (ArchiveKind kind : kArchiveKinds) {
    QToolBar* bar = panelToolbar(kind);
    button(bar, QStringLiteral("Inserisci"), "ins", QStringLiteral("Inserisci un nuovo dato"),
           icon(Picture::Insert));
    button(bar, QStringLiteral("Cancella "), "cance", QStringLiteral("Rimuovi un dato"),
           icon(Picture::Delete));
    // The two archives whose sheets hand their months over open them from here.
    if (kind == ArchiveKind::Temperature) {
      bar->addSeparator();
      button(bar, QStringLiteral("Medie mensili"), "medie",
             QStringLiteral("Inserisci le temperature giornaliere"), icon(Picture::Sheet));
    } else if (kind == ArchiveKind::Rain) {
      bar->addSeparator();
      button(bar, QStringLiteral("Pioggia "), "medie", QStringLiteral("Inserisci pioggia odierna"),
             icon(Picture::Sheet));
    }
    // Reached with Tab like the panel's push buttons (Space presses them).
    for (QAction* a : bar->actions())
      if (QWidget* b = bar->widgetForAction(a); b && !a->isSeparator())
        b->setFocusPolicy(Qt::TabFocus);
    connect(bar, &QToolBar::actionTriggered, this,
            [this, kind](QAction* a) { panelToolbarClick(kind, a->data().toString()); });
  }
}

void Form1::buildPanelButtons() {
  struct Button {
    ArchiveKind panel;
    const char* name;
    QString caption;
    void (Form1::*handler)();
  };
  const QString daily = QStringLiteral("Aprire la finestra ");
  const QString summary = QStringLiteral("Creare il riepilogo mensile");
  const QString calculator = QStringLiteral("Aprire il calcolatore meteo");
  const Button buttons[] = {
      {ArchiveKind::Temperature, "Command9", daily + QStringLiteral("\"Temperature giornaliere\""),
       &Form1::Command9_Click},
      {ArchiveKind::Temperature, "Command5", summary, &Form1::Command5_Click},
      {ArchiveKind::Temperature, "Command8", calculator, &Form1::Command8_Click},
      {ArchiveKind::Rain, "Command10", daily + QStringLiteral("\"Precipitazioni giornaliere\""),
       &Form1::Command10_Click},
      {ArchiveKind::Rain, "Command4", summary, &Form1::Command4_Click},
      {ArchiveKind::Rain, "Command3", calculator, &Form1::Command3_Click},
      {ArchiveKind::Snow, "Command6", summary, &Form1::Command6_Click},
      {ArchiveKind::Snow, "Command7", calculator, &Form1::Command7_Click},
      {ArchiveKind::OtherEvents, "Command1", summary, &Form1::Command1_Click},
      {ArchiveKind::OtherEvents, "Command2", calculator, &Form1::Command2_Click},
  };
  for (const Button& b : buttons) {
    QGroupBox* frame = panelFrame(b.panel);
    auto* push = new QPushButton(b.caption, frame);
    push->setObjectName(QLatin1String(b.name));
    frame->layout()->addWidget(push);
    connect(push, &QPushButton::clicked, this, b.handler);
  }
  // Tab goes through a panel from top to bottom: its toolbar, its grid, its buttons.
  for (ArchiveKind kind : kArchiveKinds) {
    QList<QWidget*> chain;
    QToolBar* bar = panelToolbar(kind);
    for (QAction* a : bar->actions())
      if (QWidget* w = bar->widgetForAction(a); w && w->focusPolicy() & Qt::TabFocus) chain << w;
    chain << grid(kind);
    for (QPushButton* push : panelFrame(kind)->findChildren<QPushButton*>()) chain << push;
    for (int i = 0; i + 1 < chain.size(); ++i) setTabOrder(chain[i], chain[i + 1]);
  }
}

QAction* Form1::menuItem(const QString& name) const {
  for (QAction* a : findChildren<QAction*>(name))
    if (!qobject_cast<QToolBar*>(a->parent())) return a;
  return nullptr;
}

QAction* Form1::toolbarButton(QToolBar* bar, const QString& key) {
  for (QAction* a : bar->actions())
    if (a->data().toString() == key) return a;
  return nullptr;
}

QPushButton* Form1::panelButton(const QString& name) const { return findChild<QPushButton*>(name); }

// ---- "&File" -------------------------------------------------------------------

void Form1::back_Click() {
  if (ctx_.dialogs().message(this, kBackupQuestion, MsgIcon::None, MsgButtons::YesNo,
                             kBackupTitle) != MsgAnswer::Yes)
    return;
  if (!unsaved::confirmAll(ctx_)) return;
  if (!ctx_.shell().startProgram(ctx_.platform().programPath(kBackupProgram))) {
    ctx_.dialogs().message(this, kBackupMissing, MsgIcon::Critical, MsgButtons::Ok, kTitle);
    return;
  }
  // backup copies the data files: end now, as "&Esci" does, so they are closed.
  ctx_.shell().endProgram(0);
}

void Form1::printt_Click() { apriStampa(this); }

void Form1::opt_Click() {
  Dialog1 options(ctx_, this, ctx_.config(), !infostazione->isHidden());
  if (ctx_.dialogs().runModal(options) != QDialog::Accepted) return;
  const StationConfig config = options.config();
  infostazione->setVisible(config.infoShown());
  allfin->setChecked(config.infoShown());
  ctx_.setConfig(config);
  // Replaced whole and at once: a failed write leaves the old file as it was.
  const QString path = ctx_.dataPath(StationConfig::kFileName);
  if (!config.write(path))
    ctx_.dialogs().message(
        this,
        QStringLiteral("Impossibile salvare le opzioni nel file %1. Le modifiche restano valide "
                       "solo fino alla chiusura di Nubilario.")
            .arg(path),
        MsgIcon::Critical, MsgButtons::Ok, kTitle);
}

void Form1::insfac_Click() {
  apriMedietemperature();
  apriArchiviopioggia();
}

void Form1::azzmese_Click() { azzeramentoMensile(); }
void Form1::azzannu_Click() { azzeramentoAnnuale(); }

void Form1::esci_Click() {
  // The program ends at once, but not over typing the keeper wants kept.
  if (!unsaved::confirmAll(ctx_)) return;
  ctx_.shell().endProgram(0);
}

// ---- "&Visualizza" -------------------------------------------------------------

void Form1::visu_Click() { allfin->setChecked(ctx_.config().infoShown()); }

void Form1::risorse_Click() {
  // Hidden, the calendar stays loaded; closed with its own close box, it is
  // unloaded and the next use loads it again.
  if (cal* c = ctx_.existing<cal>(); c && c->isVisible()) {
    c->hide();
    risorse->setChecked(false);
    return;
  }
  ctx_.window<cal>()->mostra(this);
  risorse->setChecked(true);
}

void Form1::allfin_Click() {
  // The choice lasts for this run; config.cfg keeps deciding at start-up.
  const bool show = infostazione->isHidden();
  infostazione->setVisible(show);
  allfin->setChecked(show);
  const QString value = show ? QStringLiteral("si") : QStringLiteral("no");
  StationConfig config = ctx_.config();
  config.mostraInfo = value;
  ctx_.setConfig(config);
  ctx_.settings().setValue(QStringLiteral("stazione"), QStringLiteral("stazionesino"), value);
}

void Form1::finapp_Click() { toggleAppunti(true); }

void Form1::calco_Click() {
  // The calculator removes the check mark itself when it unloads.
  if (Calculator* c = ctx_.existing<Calculator>(); c && c->isVisible()) {
    calco->setChecked(false);
    c->close();
    return;
  }
  ctx_.window<Calculator>()->mostra(this);
  calco->setChecked(true);
}

void Form1::toggleAppunti(bool fromMenu) {
  // The notes window also marks both when it loads and unloads.
  const bool open = toggleOwned<Dialog>(ctx_, *this);
  if (fromMenu) finapp->setChecked(open);
  appunti->setChecked(open);
}

// ---- "&Archivio dati" ----------------------------------------------------------

void Form1::inserisci_Click() { panelToolbarClick(visiblePanel(), QStringLiteral("ins")); }
void Form1::modifica_Click() { modificaDato(visiblePanel()); }
void Form1::cancella_Click() { panelToolbarClick(visiblePanel(), QStringLiteral("cance")); }

void Form1::panelToolbarClick(ArchiveKind kind, const QString& key) {
  if (key == QLatin1String("ins"))
    apriInserimento(kind);
  else if (key == QLatin1String("cance"))
    cancella(kind);
  else if (key == QLatin1String("medie") && kind == ArchiveKind::Temperature)
    apriMedietemperature();
  else if (key == QLatin1String("medie") && kind == ArchiveKind::Rain)
    apriArchiviopioggia();
}
void Form1::annulla_Click() { annullaUltima(); }
void Form1::esportaCsv_Click() { esportacsv::avvia(ctx_, this, visiblePanel()); }
void Form1::importaCsv_Click() { importacsv::avvia(ctx_, this, *undo_, visiblePanel()); }

void Form1::refreshEditItems() {
  if (!modifica || !annulla) return;  // the menus are not built yet
  const Recordset& rs = recordset(visiblePanel());
  modifica->setEnabled(rs.isOpen() && !rs.atEnd());
  cancellaDato->setEnabled(modifica->isEnabled());
  annulla->setEnabled(!undo_->isEmpty());
}

// ---- "&Strumenti meteo" --------------------------------------------------------

void Form1::precmens_Click() { apriArchiviopioggia(); }
void Form1::prpanno_Click() { apriPioggiaanno(); }
void Form1::medietemp_Click() { apriMedietemperature(); }
void Form1::riepilogo_Click() { apriMese(); }
void Form1::dewpoint_Click() { apriDewpointt(); }

// ---- "&?" and the pages ------------------------------------------------------------

void Form1::apriPagina(Page page) { ctx_.shell().openPage(this, webpages::address(page)); }

void Form1::guidaa_Click() {
  const QString path = ctx_.dataPath(QStringLiteral("presentazione.htm"));
  if (!QFileInfo(path).isFile()) {
    ctx_.dialogs().message(this, kPresentationMissing, MsgIcon::Critical, MsgButtons::Ok, kTitle);
    return;
  }
  apriPaginaLocale(path);
}

void Form1::GUIDAHTML_Click() {
  // A missing guide is not reported.
  const QString path = ctx_.dataPath(QStringLiteral("guida.htm"));
  if (QFileInfo(path).isFile()) apriPaginaLocale(path);
}

void Form1::apriPaginaLocale(const QString& path) {
  // A page that is there but that no program opened (no browser on the
  // system): the keeper is told where it is, to open it by hand.
  if (ctx_.shell().openPage(this, path)) return;
  ctx_.dialogs().message(this, kPageNotOpened.arg(QDir::toNativeSeparators(path)),
                         MsgIcon::Critical, MsgButtons::Ok, kTitle);
}

void Form1::abouttt_Click() {
  frmAbout about(ctx_, this);
  ctx_.dialogs().runModal(about);
}

// ---- Toolbars ----------------------------------------------------------------------

void Form1::Toolbar1_ButtonClick(const QString& key) {
  if (key == QLatin1String("calcolatoremeteo"))
    apriDewpointt();
  else if (key == QLatin1String("appunti"))
    toggleAppunti(false);
  else if (key == QLatin1String("calco"))
    apriMese();
  else if (key == QLatin1String("stampa"))
    apriStampa(this);
  else if (key == QLatin1String("risorse"))
    apriPagina(Page::W14);
}

void Form1::cancella(ArchiveKind kind) {
  // No message on failure: a locked file leaves the archive as it was.
  Recordset& rs = recordset(kind);
  if (!rs.isOpen()) return;
  // Rain stays at the end after its last record; the others select the new last one.
  auto afterwards = [&rs, kind] {
    if (!archiveDescriptor(kind).endAfterLastDeleted && rs.atEnd()) rs.moveLast();
  };
  if (rs.atEnd()) {  // no current record: nothing to ask about
    afterwards();
    return;
  }

  // The question names the record by its first column.
  const int row = rs.position();
  QString question = kDeleteQuestion;
  const QString name = rs.value(row, 0).simplified();
  if (!name.isEmpty()) question += QStringLiteral("\n\n") + name;
  if (ctx_.dialogs().message(this, question, MsgIcon::None, MsgButtons::YesNo, kTitle) !=
      MsgAnswer::Yes)
    return;
  const qint64 key = rs.key(row);
  const QStringList values = rs.values(row);
  if (rs.deleteCurrent()) undo_->deleted(rs, key, values);  // the record after it becomes current
  afterwards();
}

void Form1::modificaDato(ArchiveKind kind) {
  Recordset& rs = recordset(kind);
  if (!rs.isOpen() || rs.atEnd()) return;
  const int row = rs.position();
  const qint64 key = rs.key(row);
  const QStringList before = rs.values(row);
  std::unique_ptr<EntryDialog> entry = archivewindows::newEntryDialog(kind, ctx_, this);
  // Texts the dialog cannot show as they are go to the plain editor, so that
  // nothing the keeper leaves alone changes.
  if (!entry->editRecord(row)) {
    entry = std::make_unique<modificadato>(ctx_, kind, this);
    if (!entry->editRecord(row)) return;
  }
  if (ctx_.dialogs().runModal(*entry) != QDialog::Accepted) return;
  const int now = rs.rowOf(key);
  if (now >= 0 && rs.values(now) != before) undo_->corrected(rs, key, before);
}

void Form1::annullaUltima() {
  if (undo_->isEmpty()) return;
  const auto undone = undo_->undo();
  if (!undone) {
    ctx_.dialogs().message(this, kNotUndone, MsgIcon::Critical, MsgButtons::Ok, kTitle);
    return;
  }
  for (ArchiveKind kind : kArchiveKinds)
    if (&recordset(kind) == undone->recordset) showPanel(kind, true);
}

// ---- Push buttons of the panels --------------------------------------------------

void Form1::Command9_Click() { apriMedietemperature(); }
void Form1::Command5_Click() { apriMese(); }
// Same caption as on the other panels, but here it opens the current-year precipitation.
void Form1::Command8_Click() { apriPioggiaanno(); }
void Form1::Command10_Click() { apriArchiviopioggia(); }
void Form1::Command4_Click() { apriMese(); }
void Form1::Command3_Click() { apriDewpointt(); }
void Form1::Command6_Click() { apriMese(); }
void Form1::Command7_Click() { apriDewpointt(); }
void Form1::Command1_Click() { apriMese(); }
void Form1::Command2_Click() { apriDewpointt(); }

// ---- The windows the commands open ---------------------------------------------------

void Form1::apriInserimento(ArchiveKind kind) {
  const std::unique_ptr<EntryDialog> entry = archivewindows::newEntryDialog(kind, ctx_, this);
  ctx_.dialogs().runModal(*entry);
}

void Form1::apriMedietemperature() { ctx_.window<medietemperature>()->mostra(this); }

QDate Form1::meseTemperature() {
  const medietemperature* sheet = ctx_.window<medietemperature>();
  return QDate(sheet->year(), sheet->month(), 1);
}

void Form1::apriArchiviopioggia() { ctx_.window<archiviopioggia>()->mostra(this); }

void Form1::apriPioggiaanno(QWidget* owner) { ctx_.window<pioggiaanno>()->mostra(owner); }

void Form1::apriMese(QWidget* owner, bool activate) {
  ctx_.window<mese>()->mostra(owner, activate);
}

void Form1::apriStorico() { ctx_.window<storico>()->mostra(this); }
void Form1::clima_Click() { ctx_.window<clima>()->mostra(this); }
void Form1::apriClima(int year, int month) {
  clima* w = ctx_.window<clima>();
  if (month >= 1 && month <= 12)
    w->showMonth(QDate(year, month, 1));
  else
    w->showYear(year);
  w->mostra(this);
}

void Form1::apriDewpointt() { ctx_.window<dewpointt>()->mostra(this); }

void Form1::apriStampa(QWidget* owner) { stampa::mostra(ctx_, owner ? owner : this); }

void Form1::azzeramentoMensile() { azzeramento::mensile(ctx_); }

void Form1::azzeramentoAnnuale() { azzeramento::annuale(ctx_); }
