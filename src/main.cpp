// Nubilario: keeps the records of a private weather station.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

#include "common/appcontext.h"
#include "rules/datafolder.h"
#include "rules/numbers.h"
#include "shell/form1.h"
#include "shell/splash.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The shells link the windows to the menu entry by its name (Wayland) and by
  // the window class, the application name, that its StartupWMClass names (X11).
  QApplication::setApplicationName(QStringLiteral("Nubilario"));
  QGuiApplication::setDesktopFileName(QStringLiteral("it.nubilario.Nubilario"));
  QLocale::setDefault(num::systemOrItalian());

  // Qt's own buttons and dialogs in Italian.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                   QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);

  QIcon icon;
  for (int side : {16, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icone/nubilario-%1.png").arg(side), QSize(side, side));
  QApplication::setWindowIcon(icon);

  // Run from its own folder the program keeps its data there; installed, in
  // the user's own data folder, made ready from the shipped files.
  const datafolder::Location where =
      datafolder::locate(QApplication::applicationDirPath(),
                         QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                             QStringLiteral("/nubilario"));
  auto platform = Platform::desktop(where.dataFolder, where.programFolder);
  if (!where.error.isEmpty()) {
    platform->dialogs->message(
        nullptr, where.error + QStringLiteral("\n\nNubilario non può essere avviato."),
        MsgIcon::Critical);
    return 1;
  }
  AppContext ctx(std::move(platform), [](AppContext& c) { return new Form1(c); });
  auto* screen = new splash(ctx);
  screen->show();
  return app.exec();
}
