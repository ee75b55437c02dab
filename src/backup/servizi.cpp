#include "servizi.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

void ServiziQt::errore(QWidget* pagina, const QString& titolo, const QString& testo) {
  QMessageBox box(QMessageBox::Critical, titolo, testo, QMessageBox::Ok, pagina);
  box.exec();
}

std::optional<QString> ServiziQt::sfogliaCartella(QWidget* pagina, const QString& richiesta) {
  // Qt's own folder dialog, the same on every desktop, set inside a window
  // that shows the prompt above it.
  QDialog finestra(pagina);
  finestra.setWindowTitle(QCoreApplication::translate("backup", "Cerca cartella"));
  auto* testo = new QLabel(richiesta, &finestra);
  testo->setWordWrap(true);
  testo->setTextFormat(Qt::PlainText);
  testo->setContentsMargins(9, 0, 9, 0);
  auto* cartelle = new QFileDialog(&finestra, QString(), QDir::homePath());
  cartelle->setWindowFlags(Qt::Widget);
  cartelle->setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  cartelle->setFileMode(QFileDialog::Directory);
  QObject::connect(cartelle, &QDialog::finished, &finestra, &QDialog::done);
  auto* colonna = new QVBoxLayout(&finestra);
  colonna->setContentsMargins(0, 12, 0, 0);
  colonna->addWidget(testo);
  colonna->addWidget(cartelle);
  if (finestra.exec() != QDialog::Accepted) return std::nullopt;
  const QString scelta = cartelle->selectedFiles().value(0);
  if (scelta.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(scelta);
}

bool ServiziQt::domanda(QWidget* pagina, const QString& titolo, const QString& testo) {
  QMessageBox box(QMessageBox::Warning, titolo, testo, QMessageBox::Yes | QMessageBox::No, pagina);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

std::optional<int> ServiziQt::scegli(QWidget* pagina, const QString& titolo,
                                     const QString& richiesta, const QStringList& voci) {
  bool ok = false;
  const QString scelta = QInputDialog::getItem(pagina, titolo, richiesta, voci, 0, false, &ok);
  if (!ok || !voci.contains(scelta)) return std::nullopt;
  return int(voci.indexOf(scelta));
}

void ServiziQt::termina() { QCoreApplication::quit(); }

void ServiziSimulati::errore(QWidget* pagina, const QString& titolo, const QString& testo) {
  messaggi.append({pagina, titolo, testo});
  if (mentreErrore) mentreErrore();
}

std::optional<QString> ServiziSimulati::sfogliaCartella(QWidget* pagina, const QString& richiesta) {
  richieste.append(richiesta);
  proprietari.append(pagina);
  if (cartelle.isEmpty()) return std::nullopt;
  return cartelle.takeFirst();
}

bool ServiziSimulati::domanda(QWidget* pagina, const QString& titolo, const QString& testo) {
  domande.append({pagina, titolo, testo});
  return !risposte.isEmpty() && risposte.takeFirst();
}

std::optional<int> ServiziSimulati::scegli(QWidget*, const QString&, const QString&,
                                           const QStringList& voci) {
  elenchi.append(voci);
  if (scelte.isEmpty()) return std::nullopt;
  return scelte.takeFirst();
}

void ServiziSimulati::termina() { ++terminazioni; }
