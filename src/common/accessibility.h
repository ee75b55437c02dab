#pragma once
// How the program's windows present themselves to a screen reader.

namespace accessibility {

// From now on every window of its own that is a plain widget (the sheets,
// the summary, the tools, the calendar, the splash) is announced as a window, as the main
// window and the dialogs are, instead of as a nameless part of one. Safe to
// call more than once.
void install();

}  // namespace accessibility
