// The backup and restore wizard of Nubilario. It lies in the data folder
// beside the main program and copies the data file set out of that folder
// and back into it.

#include "copia.h"
#include "procedura.h"
#include "servizi.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Nubilario 3 - Utility di Backup"));

  // Qt's own texts (the folder dialog, the buttons) in Italian, like the rest.
  QTranslator traduzioneQt;
  if (traduzioneQt.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&traduzioneQt);

  // What a write killed halfway left in the data folder goes first.
  rimuoviCopieInterrotte(QCoreApplication::applicationDirPath());

  ServiziQt servizi;
  Procedura procedura(servizi, QCoreApplication::applicationDirPath());
  procedura.avvia();
  return app.exec();
}
