#include "servizi.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
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
