#include "common/appcontext.h"

#include "shell/form1.h"

AppContext::AppContext(std::unique_ptr<Platform> platform) : platform_(std::move(platform)) {}

AppContext::~AppContext() {
  // Other windows first, then the main window, which closes the archives.
  for (auto& w : windows_) delete w.data();
  windows_.clear();
  delete main_.data();
}

Form1* AppContext::mainWindow() {
  if (!main_) main_ = new Form1(*this);
  return main_.data();
}
