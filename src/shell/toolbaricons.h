#pragma once
// The pictures of the main window's toolbar buttons, drawn so that they look
// the same on every desktop theme.

#include <QIcon>

namespace toolbaricons {

enum class Picture { Calculator, Notes, Summary, Print, Updates, Insert, Delete, Sheet };

QIcon icon(Picture picture);

}  // namespace toolbaricons
