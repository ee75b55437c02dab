#include "scriptedplatform.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPainter>
#include <QPointer>

MsgAnswer ScriptedDialogs::message(QWidget* owner, const QString& text, MsgIcon icon,
                                   MsgButtons buttons, const QString& title,
                                   const QString& details) {
  messages.append({text, icon, buttons, title, details, owner ? owner->objectName() : QString()});

  if (!answers.isEmpty()) return answers.takeFirst();
  switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
      return MsgAnswer::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
      return MsgAnswer::Yes;
    case MsgButtons::RetryCancel:
      return MsgAnswer::Retry;
  }
  return MsgAnswer::Ok;
}

std::optional<QString> ScriptedDialogs::inputBox(QWidget*, const QString& prompt, const QString&,
                                                 const QString&) {
  inputPrompts << prompt;
  return inputs.isEmpty() ? std::nullopt : inputs.takeFirst();
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const SaveFileRequest& request) {
  saveRequests << request;
  return savePaths.isEmpty() ? std::nullopt : savePaths.takeFirst();
}

QStringList ScriptedDialogs::openFiles(QWidget*, const QString& title, const QString&) {
  openTitles << title;
  return openPaths.isEmpty() ? QStringList() : openPaths.takeFirst();
}

std::optional<QString> ScriptedDialogs::browseFolder(QWidget*, const QString& title) {
  browseTitles << title;
  return folders.isEmpty() ? std::nullopt : folders.takeFirst();
}

int ScriptedDialogs::runModal(QDialog& window) {
  windowsRun << window.objectName();
  QPointer<QDialog> open(&window);
  window.setResult(QDialog::Rejected);
  window.show();
  if (!windowSteps_.isEmpty()) windowSteps_.takeFirst()(window);
  if (open && open->isVisible()) open->reject();
  // What the window's own event loop would have done before returning: the
  // windows unloaded meanwhile are gone.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return open ? open->result() : int(QDialog::Rejected);
}

bool ScriptedShell::openPage(QWidget*, const QString& target) {
  pagesOpened << target;
  return openSucceeds;
}

bool ScriptedShell::startProgram(const QString& path) {
  programsStarted << path;
  return startSucceeds;
}

void ScriptedShell::endProgram(int code) { endedWith = code; }

QString ScriptedSettings::value(const QString& section, const QString& key,
                                const QString& fallback) const {
  return values.value(section + QLatin1Char('/') + key, fallback);
}

void ScriptedSettings::setValue(const QString& section, const QString& key, const QString& value) {
  values[section + QLatin1Char('/') + key] = value;
}

void ScriptedClipboard::clear() {
  text.clear();
  ++clears;
  history << QStringLiteral("clear");
}

void ScriptedClipboard::setText(const QString& t) {
  text = t;
  history << t;
}

void RecordingPrinter::printLine(const QList<PrintItem>& items) {
  if (failing) throw PrintFailure("no printer");
  if (failAfterLines >= 0 && lines.size() >= failAfterLines) throw PrintFailure("printer stopped");
  if (!open_) {
    open_ = true;
    pages = 1;
  }
  QString text;
  for (const PrintItem& item : items) text += item.printed();
  lines.append({pages, x_, y_, size_, bold_, text});
  const int breaks = int(text.count(QLatin1Char('\n')));
  y_ += lineHeight(size_) * (1 + breaks);
  x_ = 0;
}

void RecordingPrinter::newPage() {
  if (failing) throw PrintFailure("no printer");
  ++pages;
  y_ = 0;
}

void RecordingPrinter::endDoc() {
  if (failing) throw PrintFailure("no printer");
  if (open_) ++documents;
  open_ = false;
  x_ = y_ = 0;
}

void RecordingPrinter::abortDoc() {
  if (open_) ++aborted;
  open_ = false;
  x_ = y_ = 0;
}

bool RecordingPrinter::setup(QWidget*, const QString& title) {
  setupTitles << title;
  return setupAnswers.isEmpty() ? true : setupAnswers.takeFirst();
}

QStringList RecordingPrinter::texts() const {
  QStringList out;
  for (const Line& l : lines) out << l.text;
  return out;
}

std::unique_ptr<Platform> ScriptedPlatform::make(const QString& dataFolder,
                                                 ScriptedPlatform* parts) {
  auto p = std::make_unique<Platform>();
  p->dataFolder = dataFolder;
  auto dialogs = std::make_unique<ScriptedDialogs>();
  auto shell = std::make_unique<ScriptedShell>();
  auto settings = std::make_unique<ScriptedSettings>();
  auto clipboard = std::make_unique<ScriptedClipboard>();
  auto printer = std::make_unique<RecordingPrinter>();
  auto picturePrinter = std::make_unique<RecordingPicturePrinter>();
  if (parts) {
    parts->dialogs = dialogs.get();
    parts->shell = shell.get();
    parts->settings = settings.get();
    parts->clipboard = clipboard.get();
    parts->printer = printer.get();
    parts->picturePrinter = picturePrinter.get();
  }
  p->dialogs = std::move(dialogs);
  p->shell = std::move(shell);
  p->settings = std::move(settings);
  p->clipboard = std::move(clipboard);
  p->printer = std::move(printer);
  p->picturePrinter = std::move(picturePrinter);
  return p;
}

bool RecordingPicturePrinter::print(QWidget*, const QString& title,
                                    const std::function<void(QPainter&, const QRect&)>& draw) {
  titles << title;
  if (!answers.isEmpty() && !answers.takeFirst()) return false;
  if (failing) throw PrintFailure("the printer did not start");
  QImage page(1123, 794, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  draw(painter, QRect(QPoint(0, 0), page.size()));
  painter.end();
  pages << page;
  return true;
}
