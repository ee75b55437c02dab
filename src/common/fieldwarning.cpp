#include "common/fieldwarning.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace {

const char* const kReasons = "avvisoMotivi";
const char* const kOwnTip = "avvisoTooltipProprio";
const char* const kOwnDescription = "avvisoDescrizioneProprio";

// A frame over the whole field that lets every click and key through.
class Frame : public QWidget {
 public:
  explicit Frame(QWidget* field) : QWidget(field) {
    setObjectName(QStringLiteral("avviso"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    field->installEventFilter(this);
    setGeometry(field->rect());
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    return false;
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QPen pen(QColor(200, 0, 0));
    pen.setWidth(2);
    p.setPen(pen);
    p.drawRect(rect().adjusted(1, 1, -1, -1));
  }
};

Frame* frameOf(const QWidget* field) {
  return field->findChild<Frame*>(QStringLiteral("avviso"), Qt::FindDirectChildrenOnly);
}

}  // namespace

namespace fieldwarning {

QStringList reasons(const QWidget* field) { return field->property(kReasons).toStringList(); }

void set(QWidget* field, const QStringList& why) {
  if (reasons(field) == why) return;
  if (!field->property(kOwnTip).isValid()) {
    field->setProperty(kOwnTip, field->toolTip());
    field->setProperty(kOwnDescription, field->accessibleDescription());
  }
  const QString ownTip = field->property(kOwnTip).toString();
  const QString ownDescription = field->property(kOwnDescription).toString();
  field->setProperty(kReasons, why);
  if (why.isEmpty()) {
    delete frameOf(field);
    field->setToolTip(ownTip);
    field->setAccessibleDescription(ownDescription);
    return;
  }
  Frame* frame = frameOf(field);
  if (!frame) frame = new Frame(field);
  frame->show();
  frame->raise();
  // The field's own words first ("30° Giorno - ..."): a screen reader says
  // the description, and the day must not get lost behind the reasons.
  const QString text = QStringLiteral("Attenzione: ") + why.join(QStringLiteral("; "));
  auto after = [&text](const QString& own) {
    return own.isEmpty() ? text : own + QStringLiteral(" - ") + text;
  };
  field->setToolTip(after(ownTip));
  field->setAccessibleDescription(after(ownDescription.isEmpty() ? ownTip : ownDescription));
}

}  // namespace fieldwarning
