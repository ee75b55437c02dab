#pragma once
// The program's files are Windows-1252: a character the code page cannot hold
// (Greek, Chinese, an emoji) would be lost. Before such a text is written the
// keeper is told which characters cannot be saved, nothing is written, and the
// text stays on screen to be changed.

#include <QString>

class AppContext;
class QWidget;

// True when every character of `text` can be written; otherwise shows the
// message and returns false.
bool savable(AppContext& ctx, QWidget* owner, const QString& text);
