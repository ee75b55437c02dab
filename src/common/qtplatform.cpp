// The platform layer on the real desktop.

#include <unistd.h>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QUrl>

#include "common/platform.h"
#include "common/qtprinter.h"
#include "rules/sqlitefile.h"

namespace {

class QtDialogs : public Dialogs {
 public:
  MsgAnswer message(QWidget* owner, const QString& text, MsgIcon icon, MsgButtons buttons,
                    const QString& title, const QString& details) override {
    QMessageBox box(owner);
    box.setWindowTitle(title);
    // Messages carry the keeper's paths and names: shown as they are, never as HTML.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    if (!details.isEmpty()) box.setDetailedText(details);
    switch (icon) {
      case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
      case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
      case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
      case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
      case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
      case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
      case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
      case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
      case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
      case MsgButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
      case QMessageBox::Ok:
        return MsgAnswer::Ok;
      case QMessageBox::Yes:
        return MsgAnswer::Yes;
      case QMessageBox::No:
        return MsgAnswer::No;
      case QMessageBox::Retry:
        return MsgAnswer::Retry;
      default:
        return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    }
  }

  std::optional<QString> inputBox(QWidget* owner, const QString& prompt, const QString& title,
                                  const QString& defaultText) override {
    QInputDialog dialog(owner);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    // The prompt may name a folder of the keeper's: plain text, never HTML.
    for (QLabel* label : dialog.findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
  }

  // "Descr|pattern|Descr|pattern" becomes Qt's "Descr (pattern);;...".
  static QStringList qtFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
      QString name = parts[i];
      if (!name.contains(QLatin1Char('('))) name += QStringLiteral(" (") + parts[i + 1] + ')';
      filters << name;
    }
    return filters;
  }

  QStringList openFiles(QWidget* owner, const QString& title, const QString& filter) override {
    QFileDialog dialog(owner, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(qtFilters(filter));
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
  }

  std::optional<QString> saveFile(QWidget* owner, const SaveFileRequest& request) override {
    const QStringList filters = qtFilters(request.filter);
    QFileDialog dialog(owner, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
      dialog.selectNameFilter(filters.at(request.filterIndex - 1));
    if (!request.initialFolder.isEmpty()) dialog.setDirectory(request.initialFolder);
    if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
    // Overwrite prompt on (flag 2), read-only box hidden (4: Qt has none), folder
    // must exist (2048: the dialog only accepts existing folders).
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (request.flags & 2) == 0);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
  }

  std::optional<QString> browseFolder(QWidget* owner, const QString& title) override {
    QString dir = QFileDialog::getExistingDirectory(owner, title);
    if (dir.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dir);
  }
  int runModal(QDialog& window) override { return window.exec(); }
};

class QtShell : public Shell {
 public:
  bool openPage(QWidget*, const QString& target) override {
    QUrl url;
    if (QFileInfo::exists(target))
      url = QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    else
      url = QUrl::fromUserInput(target);
    return url.isValid() && QDesktopServices::openUrl(url);
  }
  bool startProgram(const QString& path) override {
    if (!QFileInfo(path).isExecutable()) return false;
    return QProcess::startDetached(path, {}, QFileInfo(path).absolutePath());
  }
  void endProgram(int code) override {
    // At once, as the keeper asked: every archive change is already on disk.
    ::_exit(code);
  }
};

class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore()
      : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Nubilario"),
                  QStringLiteral("Nubilario 2.0")) {}
  QString value(const QString& section, const QString& key,
                const QString& fallback) const override {
    return settings_.value(section + QLatin1Char('/') + key, fallback).toString();
  }
  void setValue(const QString& section, const QString& key, const QString& value) override {
    settings_.setValue(section + QLatin1Char('/') + key, value);
    settings_.sync();
  }

 private:
  mutable QSettings settings_;
};

class QtClipboard : public Clipboard {
 public:
  void clear() override { QGuiApplication::clipboard()->clear(); }
  void setText(const QString& text) override { QGuiApplication::clipboard()->setText(text); }
};

}  // namespace

MsgAnswer Dialogs::failure(QWidget* owner, const QString& what, const QString& error,
                           const QString& after, MsgIcon icon, MsgButtons buttons,
                           const QString& title) {
  const sqlitefile::Explained why = sqlitefile::explain(error);
  return message(owner, what + QStringLiteral("\r\n\r\nDettaglio: ") + why.text + after, icon,
                 buttons, title, why.technical);
}

QString Platform::dataPath(const QString& fileName) const {
  return dataFolder + QDir::separator() + fileName;
}

QString Platform::programPath(const QString& fileName) const {
  return (programFolder.isEmpty() ? dataFolder : programFolder) + QDir::separator() + fileName;
}

std::unique_ptr<Platform> Platform::desktop(const QString& dataFolder,
                                            const QString& programFolder) {
  auto p = std::make_unique<Platform>();
  p->dataFolder = dataFolder;
  p->programFolder = programFolder;
  p->dialogs = std::make_unique<QtDialogs>();
  p->shell = std::make_unique<QtShell>();
  p->settings = std::make_unique<QtSettingsStore>();
  p->clipboard = std::make_unique<QtClipboard>();
  p->printer = makeQtTextPrinter();
  p->picturePrinter = makeQtPicturePrinter();
  return p;
}
