#pragma once
// The application context: owns the platform layer, the station
// configuration and the main window, and keeps the single instance of every
// other window. A window asks it for the window it wants to open or read; the
// instance is created on first use and forgotten when it is destroyed (a
// window that unloads deletes itself).

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <typeindex>
#include <unordered_map>

#include "common/mainwindow.h"
#include "common/platform.h"
#include "rules/history.h"
#include "rules/stationconfig.h"

class AppContext : public QObject {
  Q_OBJECT
 public:
  // Makes the main window (the program's Form1) the first time it is asked for.
  using MainWindowFactory = std::function<MainWindow*(AppContext&)>;

  AppContext(std::unique_ptr<Platform> platform, MainWindowFactory makeMainWindow);
  ~AppContext() override;
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  Platform& platform() { return *platform_; }
  Dialogs& dialogs() { return *platform_->dialogs; }
  Shell& shell() { return *platform_->shell; }
  SettingsStore& settings() { return *platform_->settings; }
  Clipboard& clipboard() { return *platform_->clipboard; }
  TextPrinter& printer() { return *platform_->printer; }
  PicturePrinter& picturePrinter() { return *platform_->picturePrinter; }
  const QString& dataFolder() const { return platform_->dataFolder; }
  QString dataPath(const QString& name) const { return platform_->dataPath(name); }

  // The station configuration as read at start-up and changed by the Options
  // dialog. Windows read it here, never from another window.
  const StationConfig& config() const { return config_; }
  void setConfig(const StationConfig& config);

  // The daily history of the data folder, opened (and made, for a data
  // folder from before it) on first use. Null when it cannot be opened;
  // `error` then says why, and the next call tries again.
  DailyHistory* history(QString* error = nullptr);
  // From now on the history is opened read-only (a damaged file the keeper
  // chose to keep); one already open is opened again that way.
  void setHistoryReadOnly();

  // The main window; created (not yet loaded) on first use.
  MainWindow* mainWindow();
  // The main window if it exists, else nullptr.
  MainWindow* existingMainWindow() const { return main_.data(); }

  // The single instance of window W, created with W(AppContext&) on first use.
  template <class W>
  W* window() {
    QPointer<QWidget>& slot = windows_[&W::staticMetaObject];
    if (!slot) slot = new W(*this);
    return static_cast<W*>(slot.data());
  }
  // The instance of window W if it exists, else nullptr.
  template <class W>
  W* existing() const {
    auto it = windows_.constFind(&W::staticMetaObject);
    return it == windows_.constEnd() ? nullptr : static_cast<W*>(it->data());
  }

  // Every window of W's kind that is open now, in no particular order.
  QList<QWidget*> openWindows() const {
    QList<QWidget*> open;
    for (const QPointer<QWidget>& w : windows_)
      if (w) open << w.data();
    return open;
  }

  // A value kept for the whole run, whatever windows come and go (the desk
  // calculator's operands): one T per run, default-constructed on first use.
  template <class T>
  T& runState() {
    std::shared_ptr<void>& slot = states_[std::type_index(typeid(T))];
    if (!slot) slot = std::make_shared<T>();
    return *static_cast<T*>(slot.get());
  }

 Q_SIGNALS:
  void configChanged();

 private:
  std::unique_ptr<Platform> platform_;
  MainWindowFactory makeMainWindow_;
  StationConfig config_;
  DailyHistory history_;
  bool historyReadOnly_ = false;
  QPointer<MainWindow> main_;
  QHash<const QMetaObject*, QPointer<QWidget>> windows_;
  std::unordered_map<std::type_index, std::shared_ptr<void>> states_;
};
