#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// What the wizard asks of the desktop: the error box, the folder browser and
// the end of the program. The pages reach these only through this interface,
// so that the tests can answer in place of the user.
class Servizi {
 public:
  virtual ~Servizi() = default;

  // Modal box with the error icon and an OK button; returns when it is closed.
  virtual void errore(QWidget* pagina, const QString& titolo, const QString& testo) = 0;
  // The folder the user chose, or nothing when browsing was cancelled.
  virtual std::optional<QString> sfogliaCartella(QWidget* pagina, const QString& richiesta) = 0;
  // Modal question with the Yes and No buttons: true for Yes.
  virtual bool domanda(QWidget* pagina, const QString& titolo, const QString& testo) = 0;
  // One of `voci` picked from a list: its index, or nothing when cancelled.
  virtual std::optional<int> scegli(QWidget* pagina, const QString& titolo,
                                    const QString& richiesta, const QStringList& voci) = 0;
  // Ends the program.
  virtual void termina() = 0;
};

// The real dialogs and the real end of the event loop.
class ServiziQt : public Servizi {
 public:
  void errore(QWidget* pagina, const QString& titolo, const QString& testo) override;
  std::optional<QString> sfogliaCartella(QWidget* pagina, const QString& richiesta) override;
  bool domanda(QWidget* pagina, const QString& titolo, const QString& testo) override;
  std::optional<int> scegli(QWidget* pagina, const QString& titolo, const QString& richiesta,
                            const QStringList& voci) override;
  void termina() override;
};

// Records every request and answers as scripted, without opening any window.
class ServiziSimulati : public Servizi {
 public:
  struct Messaggio {
    QWidget* pagina = nullptr;
    QString titolo;
    QString testo;
  };

  void errore(QWidget* pagina, const QString& titolo, const QString& testo) override;
  std::optional<QString> sfogliaCartella(QWidget* pagina, const QString& richiesta) override;
  bool domanda(QWidget* pagina, const QString& titolo, const QString& testo) override;
  std::optional<int> scegli(QWidget* pagina, const QString& titolo, const QString& richiesta,
                            const QStringList& voci) override;
  void termina() override;

  QList<Messaggio> messaggi;
  // Runs while the error box would be open, before errore() returns.
  std::function<void()> mentreErrore;

  // Answers to the folder browser in order; nothing left means "cancelled".
  QList<std::optional<QString>> cartelle;
  QStringList richieste;
  QList<QWidget*> proprietari;

  // The questions asked, and the answers in order; nothing left means No.
  QList<Messaggio> domande;
  QList<bool> risposte;

  // The lists offered, and the picks in order; nothing left means "cancelled".
  QList<QStringList> elenchi;
  QList<std::optional<int>> scelte;

  int terminazioni = 0;
};
