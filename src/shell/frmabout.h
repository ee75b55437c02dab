#pragma once
// The about box: name, version, terms of use, contacts and the way to the
// update page.

#include <QDialog>
#include <QLabel>

class AppContext;
class QPlainTextEdit;
class QPushButton;

// A label that opens its address when clicked, or with Space or Enter when it
// has the focus.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  LinkLabel(const QString& text, QWidget* parent);

 Q_SIGNALS:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  frmAbout(AppContext& ctx, QWidget* owner);

  QPlainTextEdit* Text1 = nullptr;  // terms of use
  LinkLabel* Label6 = nullptr;      // e-mail
  LinkLabel* Label7 = nullptr;      // author's site
  LinkLabel* Label8 = nullptr;      // product's site
  QPushButton* Command1 = nullptr;  // "&Cerca aggiornamenti software"
  QPushButton* Command2 = nullptr;  // "OK"

  void Label6_Click();
  void Label7_Click();
  void Label8_Click();
  void Command1_Click();

 private:
  AppContext& ctx_;
};
