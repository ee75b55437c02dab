#pragma once
// The print dialog "Stampa": the user picks one printout (an archive, a sheet
// or the notes) and prints it on the current printer.

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "rules/records.h"

class AppContext;

class stampa : public QDialog {
  Q_OBJECT
 public:
  stampa(AppContext& ctx, QWidget* owner);

  // Opens a new print dialog, modal over the owner, and waits until it closes.
  // The owner may be gone when this returns (printing the notes unloads them).
  static void mostra(AppContext& ctx, QWidget* owner);

  // The printout chosen: an archive, the notes or a sheet.
  struct Scelta {
    enum class Cosa { Archivio, Appunti, PioggiaGiorni, PioggiaAnno, TemperatureGiorni, Nessuna };
    Cosa cosa = Cosa::Nessuna;
    ArchiveKind archivio = ArchiveKind::Temperature;  // of Cosa::Archivio
    static constexpr Scelta di(ArchiveKind kind) { return {Cosa::Archivio, kind}; }
    static constexpr Scelta di(Cosa cosa) { return {cosa, ArchiveKind::Temperature}; }
    bool operator==(const Scelta&) const = default;
  };
  // The option that is both selected and enabled.
  Scelta scelta() const;

  QLabel* Label1 = nullptr;
  QRadioButton* Option1 = nullptr;  // "&Stampa archivio dati..."
  QGroupBox* Frame1 = nullptr;
  // The archives' options (Option2 to Option5), one for each kind.
  QRadioButton* archivio(ArchiveKind kind) const { return archivi_[std::size_t(kind)]; }
  QRadioButton* Option7 = nullptr;  // daily precipitation sheet
  QRadioButton* Option8 = nullptr;  // current-year precipitation sheet
  QRadioButton* Option9 = nullptr;  // daily temperature sheet
  QRadioButton* Option6 = nullptr;  // "Stampa App&unti"
  QPushButton* Command1 = nullptr;  // "Imposta&zioni di stampa..."
  QPushButton* OKButton = nullptr;  // "Sta&mpa"
  QPushButton* CancelButton = nullptr;

  void Option1_Click();
  void Option6_Click();
  void Command1_Click();
  void OKButton_Click();
  void CancelButton_Click();

 private:
  QList<QRadioButton*> frameOptions() const;
  // Runs one printout; throws PrintFailure when it cannot be printed.
  void stampaScelta(Scelta which);

  AppContext& ctx_;
  std::array<QRadioButton*, kArchiveCount> archivi_{};
  QString cdTitle_;  // the setup dialog's title: its own at first
};
