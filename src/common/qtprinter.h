#pragma once
#include <QString>
#include <memory>

#include "common/platform.h"

// The text printer on the system's current printer (or the printer or PDF file
// chosen in the printer-setup dialog). With a file name, every document goes
// to that PDF file instead.
std::unique_ptr<TextPrinter> makeQtTextPrinter(const QString& pdfFile = {});

// Pictures through the print dialog, landscape, on the printer or PDF file chosen there.
std::unique_ptr<PicturePrinter> makeQtPicturePrinter();
