#pragma once
// The navigation pane of the main window: an entry for each archive (label,
// icon, marker, hover frame and pressed frame) that switches the archive panels.

#include <QLabel>
#include <QWidget>
#include <array>

#include "rules/records.h"

class QFrame;

class NavigationPane : public QWidget {
  Q_OBJECT
 public:
  explicit NavigationPane(QWidget* parent = nullptr);

  // Shows the marker of one entry and hides the others.
  void showMarker(ArchiveKind kind);
  bool markerVisible(ArchiveKind kind) const;
  bool hoverVisible(ArchiveKind kind) const;
  bool pressedVisible(ArchiveKind kind) const;
  QLabel* entryLabel(ArchiveKind kind) const { return entry(kind).label; }

  // The pointer moved over a background: all hover frames go, and the pressed
  // frames of every entry but those that only their own release hides ("Neve").
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
  const Entry& entry(ArchiveKind kind) const { return entries_[std::size_t(kind)]; }

  std::array<Entry, kArchiveCount> entries_;
};
