#pragma once
// The calendar window: one month calendar set to today when it loads.

#include "common/toolwindow.h"

class AppContext;
class QCalendarWidget;

class cal : public ToolWindow<QWidget> {
  Q_OBJECT
 public:
  explicit cal(AppContext& ctx);

  QCalendarWidget* cale = nullptr;
};
