#include "testenv.h"

#include <QFile>
#include <QLocale>
#include <QTest>

#include "rules/datafolder.h"
#include "rules/stationconfig.h"

TestEnv::TestEnv(bool layOut) {
  pinItalianLocale();
  if (layOut) {
    QString error;
    if (!datafolder::layOut(dir_.path(), &error))
      qFatal("cannot lay out data folder: %s", qPrintable(error));
  }
  ctx_ = std::make_unique<AppContext>(ScriptedPlatform::make(dir_.path(), &parts_),
                                      [](AppContext& c) { return new Form1(c); });
}

TestEnv::~TestEnv() { ctx_.reset(); }

QString TestEnv::path(const QString& name) const { return ctx_->dataPath(name); }

Form1* TestEnv::loadMainWindow() {
  Form1* w = mainWindow();
  w->Form1_Load();
  return w;
}

void TestEnv::setStation(const QString& name) {
  StationConfig config = ctx_->config();
  config.nome = name;
  ctx_->setConfig(config);
}

void TestEnv::setNotesFolder(const QString& folder) {
  StationConfig config = ctx_->config();
  config.percorsoAppunti = folder;
  ctx_->setConfig(config);
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
