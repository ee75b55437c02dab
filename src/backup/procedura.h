#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>

class Form1;
class due;
class tre;
class quattro;
class cinque;
class Servizi;
class QWidget;

// The wizard as a whole: it owns the pages, loads each one the first time it
// is needed and forgets the run pages when they are unloaded, so that only
// one page shows at a time and each takes the place of the one before.
class Procedura : public QObject {
  Q_OBJECT

 public:
  // cartellaProgramma: the data folder, where the program lies beside the
  // data file set; backups are made from it and restored to it by default.
  Procedura(Servizi& servizi, const QString& cartellaProgramma);
  ~Procedura() override;

  // Shows the start page.
  void avvia();

  Servizi& servizi() const { return servizi_; }
  const QString& cartellaProgramma() const { return cartellaProgramma_; }
  const QIcon& icona() const { return icona_; }
  // Nubilario's icon, the same on every window of both programs.
  static QIcon iconaProgramma();

  // Each page, loaded on first use.
  Form1& paginaForm1();
  due& paginaDue();
  tre& paginaTre();
  quattro& paginaQuattro();
  cinque& paginaCinque();

  // The run pages only while loaded (null otherwise).
  tre* treCaricata() const;
  cinque* cinqueCaricata() const;

  // Shows `verso` where `da` stands, then hides `da`.
  static void passa(QWidget* da, QWidget* verso);
  // Back to the start page from a run page, which is unloaded so that the
  // next run starts from a fresh page.
  void tornaAllInizio(QWidget* da);

 private:
  Servizi& servizi_;
  const QString cartellaProgramma_;
  const QIcon icona_;
  QPointer<Form1> form1_;
  QPointer<due> due_;
  QPointer<tre> tre_;
  QPointer<quattro> quattro_;
  QPointer<cinque> cinque_;
};
