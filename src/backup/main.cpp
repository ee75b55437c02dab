// The backup and restore wizard of Nubilario. It lies in the data folder
// beside the main program and copies the data file set out of that folder
// and back into it; installed, it works on the user's own data folder.

#include "procedura.h"
#include "rules/datafolder.h"
#include "servizi.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Started from Nubilario's menu entry and with no entry of its own, its
  // windows go under Nubilario's: the same entry name and window class.
  QApplication::setApplicationName(QStringLiteral("Nubilario"));
  QGuiApplication::setDesktopFileName(QStringLiteral("it.nubilario.Nubilario"));

  // Qt's own texts (the folder dialog, the buttons) in Italian, like the rest.
  QTranslator traduzioneQt;
  if (traduzioneQt.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&traduzioneQt);

  QApplication::setWindowIcon(Procedura::iconaProgramma());
  ServiziQt servizi;
  // Beside the main program, when both lie in the data folder; installed, the
  // user's own data folder, the one the main program fills at its first start.
  const datafolder::Location cartella =
      datafolder::locate(QCoreApplication::applicationDirPath(),
                         QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                             QStringLiteral("/nubilario"),
                         datafolder::Program::Backup);
  if (!cartella.error.isEmpty()) {
    servizi.errore(nullptr, QStringLiteral("Nubilario 3 - Utility di Backup"), cartella.error);
    return 1;
  }

  // What a write killed halfway left in the data folder goes first.
  datafolder::removeLeftovers(cartella.dataFolder);

  Procedura procedura(servizi, cartella.dataFolder);
  procedura.avvia();
  return app.exec();
}
