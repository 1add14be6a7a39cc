#pragma once

class QWidget;

namespace tessel {

class Dialogs;

// Keeps the size fields of `window` numeric while the user types, each refused character
// explained in a message, and types the room name in capitals. Keys that type no character
// (arrows, Delete, Home, shortcuts) are left alone. In the main window's fields Enter is a
// refused character; in a dialog's (`inDialog`) it accepts the dialog, as everywhere else.
void installKeyFilters(QWidget &window, Dialogs &dialogs, bool inDialog = false);

} // namespace tessel
