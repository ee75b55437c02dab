// Nubilario: keeps the records of a private weather station.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "common/appcontext.h"
#include "rules/numbers.h"
#include "shell/form1.h"
#include "shell/splash.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Nubilario"));
  QLocale::setDefault(num::systemOrItalian());

  // Qt's own buttons and dialogs in Italian.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                   QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);

  AppContext ctx(Platform::desktop(QApplication::applicationDirPath()),
                 [](AppContext& c) { return new Form1(c); });
  auto* screen = new splash(ctx);
  screen->show();
  return app.exec();
}
