#pragma once
// The start-up screen. It ends after two seconds or at a click on its texts
// or on the window background, whichever comes first, by showing the main window.

#include <QTimer>
#include <QWidget>

class AppContext;
class QLabel;

class splash : public QWidget {
  Q_OBJECT
 public:
  explicit splash(AppContext& ctx);

  QTimer Timer1;

  // The timer's tick: load the main window, show it, unload the splash.
  void Timer1_Timer();
  // A click on the background or on one of the texts Label1 to Label5.
  void clicked();
  bool finished() const { return finished_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void openMain();

  AppContext& ctx_;
  QWidget* picture_ = nullptr;
  bool finished_ = false;
};
