#include "servizi.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

void ServiziQt::errore(QWidget* pagina, const QString& titolo, const QString& testo) {
  QMessageBox box(QMessageBox::Critical, titolo, testo, QMessageBox::Ok, pagina);
  box.exec();
}

std::optional<QString> ServiziQt::sfogliaCartella(QWidget* pagina, const QString& richiesta) {
  // Qt's own folder dialog: the same one on every desktop, and it shows the
  // prompt as its title.
  const QString scelta = QFileDialog::getExistingDirectory(
      pagina, richiesta, QDir::homePath(),
      QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  if (scelta.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(scelta);
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

void ServiziSimulati::termina() { ++terminazioni; }
