#include "testenv.h"

#include <QFile>
#include <QLocale>
#include <QTest>

#include "archive/datafolder.h"

TestEnv::TestEnv(bool layOut) {
  pinItalianLocale();
  if (layOut) {
    QString error;
    if (!datafolder::layOut(dir_.path(), &error))
      qFatal("cannot lay out data folder: %s", qPrintable(error));
  }
  ctx_ = std::make_unique<AppContext>(ScriptedPlatform::make(dir_.path(), &parts_));
}

TestEnv::~TestEnv() { ctx_.reset(); }

QString TestEnv::path(const QString& name) const { return ctx_->dataPath(name); }

Form1* TestEnv::loadMainWindow() {
  Form1* w = ctx_->mainWindow();
  w->Form1_Load();
  return w;
}

void TestEnv::writeFile(const QString& name, const QByteArray& bytes) const {
  QFile f(ctx_->dataPath(name));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
    qFatal("cannot write %s", qPrintable(name));
}

QByteArray TestEnv::readFile(const QString& name) const {
  QFile f(ctx_->dataPath(name));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void pinItalianLocale() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
