#include "common/appcontext.h"

#include "common/accessibility.h"

AppContext::AppContext(std::unique_ptr<Platform> platform, MainWindowFactory makeMainWindow)
    : platform_(std::move(platform)), makeMainWindow_(std::move(makeMainWindow)) {
  // Before any window exists: Qt keeps the first answer it gives for a window.
  accessibility::install();
}

AppContext::~AppContext() {
  // Other windows first, then the main window, which closes the archives.
  for (auto& w : windows_) delete w.data();
  windows_.clear();
  delete main_.data();
}

void AppContext::setConfig(const StationConfig& config) {
  if (config_ == config) return;
  config_ = config;
  Q_EMIT configChanged();
}

MainWindow* AppContext::mainWindow() {
  if (!main_) main_ = makeMainWindow_(*this);
  return main_.data();
}

DailyHistory* AppContext::history(QString* error) {
  const auto access =
      historyReadOnly_ ? DailyHistory::Access::ReadOnly : DailyHistory::Access::ReadWrite;
  if (!history_.isOpen() && !history_.open(dataPath(DailyHistory::kFileName), error, access))
    return nullptr;
  return &history_;
}

void AppContext::setHistoryReadOnly() {
  historyReadOnly_ = true;
  history_.close();
}
