#include "shell/form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "common/appcontext.h"
#include "common/toolwindow.h"
#include "common/unsaved.h"
#include "common/widgets.h"
#include "rules/datafolder.h"
#include "rules/safetycopy.h"
#include "rules/stationconfig.h"
#include "rules/undolist.h"
#include "shell/celltips.h"
#include "shell/navigationpane.h"

namespace {

const QString kConnectionError = QStringLiteral("Errore durante l'accesso ai database!");
const QString kConnectionFatal =
    QStringLiteral("Errore durante l'accesso ai database! Nubilario non sarà avviato!");
// clang-format off
const QString kLoadError = QStringLiteral("Errore durante il caricamento. L'applicazione non è installata correttamente e potrebbe pertanto risultare instabile o non funzionare correttamente. Si consiglia caldamente la reinstallazione");
// clang-format on

}  // namespace

Form1::Form1(AppContext& ctx) : ctx_(ctx) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Nubilario 3.0 Pro"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(940, 640);

  Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  Toolbar1->setMovable(false);

  auto* central = widgets::named<QWidget>(this, "centrale");
  central->setMouseTracking(true);
  central->installEventFilter(this);
  setCentralWidget(central);
  auto* columns = new QHBoxLayout(central);

  auto* left = new QVBoxLayout;
  pane_ = new NavigationPane(central);
  left->addWidget(pane_);
  left->addStretch(1);
  // The station frame covers the help line while it is shown.
  auto* infoArea = new QWidget(central);
  auto* infoGrid = new QGridLayout(infoArea);
  infoGrid->setContentsMargins(0, 0, 0, 0);
  Label8 = widgets::label(infoArea, "Label8", QStringLiteral("Per la guida premere F1"));
  Label8->setAlignment(Qt::AlignCenter);
  infoGrid->addWidget(Label8, 0, 0);
  infostazione = buildStationFrame();
  infostazione->setParent(infoArea);
  infoGrid->addWidget(infostazione, 0, 0);
  infoArea->setFixedWidth(pane_->width());
  left->addWidget(infoArea);
  columns->addLayout(left);

  stack_ = new QStackedWidget(central);
  for (ArchiveKind kind : kArchiveKinds) buildPanel(kind);
  columns->addWidget(stack_, 1);
  undo_ = new UndoList(this);
  connect(undo_, &UndoList::changed, this, &Form1::refreshEditItems);

  showConfig();
  connect(&ctx_, &AppContext::configChanged, this, &Form1::showConfig);

  connect(pane_, &NavigationPane::entryClicked, this,
          [this](ArchiveKind kind) { showPanel(kind, true); });
  showPanel(ArchiveKind::Temperature, true);
  buildCommands();
  refreshEditItems();
}

void Form1::closeEvent(QCloseEvent* event) {
  // Ending while a box is open would pull the windows from under the code
  // that opened it.
  if (toolwindows::boxOpen(this) || !unsaved::confirmAll(ctx_)) {
    event->ignore();
    return;
  }
  MainWindow::closeEvent(event);
}

Form1::~Form1() {
  // Temperature, rain, snow, other events: the order the archives are closed in.
  for (const Panel& p : panels_) p.recordset->close();
}

QFrame* Form1::buildStationFrame() {
  auto* frame = new QFrame;
  frame->setObjectName(QStringLiteral("infostazione"));
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setAutoFillBackground(true);
  auto* v = new QVBoxLayout(frame);
  auto* label9 = widgets::label(frame, "Label9", QStringLiteral("Stazione meteo:"));
  nome = widgets::label(frame, "nome", QString(), true);
  nome->setWordWrap(true);
  anormaa = widgets::label(frame, "anormaa", QString());
  v->addWidget(label9);
  v->addWidget(nome);
  v->addWidget(anormaa);
  return frame;
}

void Form1::buildPanel(ArchiveKind kind) {
  const ArchiveDescriptor& archive = archiveDescriptor(kind);
  const ArchiveDescriptor::Panel& names = archive.panel;
  Panel& p = panelOf(kind);
  p.recordset = new Recordset(this);
  connect(p.recordset, &Recordset::currentChanged, this, &Form1::refreshEditItems);
  connect(p.recordset, &Recordset::closed, this, &Form1::refreshEditItems);

  auto* panel = new QWidget;
  panel->setObjectName(QLatin1String(names.panel));
  auto* v = new QVBoxLayout(panel);
  v->setContentsMargins(0, 0, 0, 0);

  auto* toolbar = new QToolBar(panel);
  toolbar->setObjectName(QLatin1String(names.toolbar));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  v->addWidget(toolbar);

  auto* grid = new QTableView(panel);
  grid->setObjectName(QLatin1String(names.grid));
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  // Records are added, corrected and removed only through the entry dialogs
  // and the commands, never edited in the grid itself.
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setAlternatingRowColors(true);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setDefaultSectionSize(170);
  grid->setAccessibleName(archive.title);
  // A long note or text shows whole in its cell's tooltip.
  grid->setItemDelegate(new CellTips(grid));
  v->addWidget(grid, 1);
  // A double click or Enter on a row corrects that record.
  connect(grid, &QTableView::doubleClicked, this, [this, kind](const QModelIndex& row) {
    if (!row.isValid()) return;
    recordset(kind).setPosition(row.row());
    modificaDato(kind);
  });
  grid->installEventFilter(this);

  auto* frame = new QGroupBox(QStringLiteral("Che cosa desideri fare?"), panel);
  frame->setObjectName(QLatin1String(names.frame));
  new QHBoxLayout(frame);
  v->addWidget(frame);

  p.widget = panel;
  p.grid = grid;
  p.toolbar = toolbar;
  p.frame = frame;
  stack_->addWidget(panel);
}

bool Form1::connectArchive(ArchiveKind kind, const QString& message) {
  const Opening opening = checkArchive(archiveFileName(kind));
  const auto access =
      opening == Opening::ReadOnly ? Recordset::Access::ReadOnly : Recordset::Access::ReadWrite;
  QString why;
  if (opening != Opening::Refused &&
      recordset(kind).connect(ctx_.dataPath(archiveFileName(kind)), &why, access))
    return true;
  ctx_.dialogs().message(this, message, MsgIcon::Critical, MsgButtons::Ok, kTitle);
  return false;
}

bool Form1::connetti(ArchiveKind kind) {
  // Without the other events the program does not start at all; any other
  // archive that fails is reported by the load.
  if (kind != ArchiveKind::OtherEvents) {
    connectArchive(kind, kConnectionError);
    return true;
  }
  if (connectArchive(kind, kConnectionFatal)) return true;
  ctx_.shell().endProgram(0);
  return false;
}

bool Form1::openAndBind(ArchiveKind kind) {
  Recordset& rs = recordset(kind);
  if (!rs.open()) return false;
  QTableView* view = grid(kind);
  view->setModel(&rs);
  // The selected row is the recordset's current record, both ways.
  connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [&rs](const QModelIndex& current) {
            if (current.isValid()) rs.setPosition(current.row());
          });
  // A row the keeper selects becomes current even when the view already had
  // it as its current row.
  connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [&rs](const QItemSelection& selected) {
            if (!selected.isEmpty()) rs.setPosition(selected.indexes().first().row());
          });
  connect(&rs, &Recordset::currentChanged, view, [view, &rs](int position) {
    if (position < 0 || position >= rs.recordCount()) {
      // No current record: the view keeps no current row either, so that a
      // click on any row makes it current again.
      view->clearSelection();
      view->selectionModel()->clearCurrentIndex();
      return;
    }
    // After a deletion the view may already have moved its current row here
    // while the selection was cleared: select it again.
    if (view->currentIndex().row() != position ||
        !view->selectionModel()->isRowSelected(position, {})) {
      view->selectRow(position);
      view->scrollTo(rs.index(position, 0));
    }
  });
  if (rs.position() >= 0) view->selectRow(rs.position());
  return true;
}

bool Form1::Form1_Load() {
  const bool goOn = load();
  if (goOn) dailySafetyCopy();
  return goOn;
}

bool Form1::load() {
  // One trap for the whole load: the first failure is reported and the load
  // stops there; the window is shown with what was done.
  auto fail = [this] {
    ctx_.dialogs().message(this, kLoadError, MsgIcon::Critical, MsgButtons::Ok, kTitle);
    return true;
  };
  // What a write killed halfway left in the data folder goes first, and so
  // does a safety copy cut short.
  datafolder::removeLeftovers(ctx_.dataFolder());
  safetycopy::removeUnfinished(ctx_.dataFolder());
  // Each archive in turn: its connection, then its recordset bound to its
  // grid. The other-events archive's connection ends the program when it fails.
  for (ArchiveKind kind : kArchiveKinds) {
    if (!connetti(kind)) return false;
    if (!openAndBind(kind)) return fail();
  }
  checkHistory();

  // The lines read replace the starting values; a missing or short file is
  // a failure of the load, and the frame then stays as it is.
  const auto read = StationConfig::read(ctx_.dataPath(StationConfig::kFileName));
  if (read.found) ctx_.setConfig(read.config);
  if (!read.complete()) return fail();
  infostazione->setVisible(read.config.infoShown());
  return true;
}

void Form1::showConfig() {
  nome->setText(ctx_.config().nome);
  anormaa->setText(ctx_.config().anorma);
}

void Form1::showPanel(ArchiveKind kind, bool moveMarker) {
  // The focus follows into the panel shown, on its grid, when it was in the
  // panel hidden: the arrows, Enter and Canc then work on the archive in view.
  QWidget* focus = focusWidget();
  const bool inPanels = !focus || focus == this || stack_->isAncestorOf(focus);
  stack_->setCurrentIndex(int(kind));
  if (moveMarker) pane_->showMarker(kind);
  if (inPanels) grid(kind)->setFocus();
  refreshEditItems();
}

ArchiveKind Form1::visiblePanel() const { return kArchiveKinds[stack_->currentIndex()]; }

bool Form1::markerVisible(ArchiveKind kind) const { return pane_->markerVisible(kind); }

void Form1::giveFocusBack() {
  activateWindow();
  raise();
}

void Form1::markNotesOpen(bool open) {
  for (QAction* action : {finapp, appunti}) {
    if (!action) continue;
    const QSignalBlocker quiet(action);
    action->setChecked(open);
  }
}

void Form1::markCalculatorOpen(bool open) {
  if (calco) calco->setChecked(open);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove && watched == centralWidget())
    pane_->pointerOverBackground();
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      for (ArchiveKind kind : kArchiveKinds) {
        if (watched != grid(kind)) continue;
        modificaDato(kind);
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
