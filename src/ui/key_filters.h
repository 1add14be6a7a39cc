#pragma once

class QWidget;

namespace tessel {

class Dialogs;

// Keeps the size fields of `window` numeric while the user types, each refused character
// explained in a message, and types the room name in capitals. Keys that type no character
// (arrows, Delete, Home, shortcuts) are left alone.
void installKeyFilters(QWidget &window, Dialogs &dialogs);

} // namespace tessel
