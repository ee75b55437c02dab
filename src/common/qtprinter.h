#pragma once
#include <memory>

#include "common/platform.h"

// The text printer on the system's printer (or the PDF file chosen in the
// printer-setup dialog).
std::unique_ptr<TextPrinter> makeQtTextPrinter();
