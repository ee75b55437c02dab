#pragma once
// The navigation pane of the main window: four entries (label, icon, marker,
// hover frame and pressed frame) that switch the archive panels.

#include <QLabel>
#include <QWidget>
#include <array>

#include "rules/records.h"

class QFrame;

class NavigationPane : public QWidget {
  Q_OBJECT
 public:
  explicit NavigationPane(QWidget* parent = nullptr);

  // Shows the marker of one entry and hides the other three.
  void showMarker(ArchiveKind kind);
  bool markerVisible(ArchiveKind kind) const;
  bool hoverVisible(ArchiveKind kind) const;
  bool pressedVisible(ArchiveKind kind) const;
  QLabel* entryLabel(ArchiveKind kind) const { return entries_[int(kind)].label; }

  // The pointer moved over a background: all hover frames go, and the pressed
  // frames of every entry but "Neve", which only its own release hides.
  void pointerOverBackground();

 Q_SIGNALS:
  void entryClicked(ArchiveKind kind);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  struct Entry {
    QLabel* label = nullptr;
    QLabel* icon = nullptr;
    QLabel* marker = nullptr;
    std::array<QFrame*, 4> hover{};
    std::array<QFrame*, 4> pressed{};
  };
  void setFrame(const std::array<QFrame*, 4>& lines, bool visible);
  int entryOf(QObject* watched) const;

  std::array<Entry, 4> entries_;
};
