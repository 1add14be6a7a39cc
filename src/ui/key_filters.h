#pragma once

class QLineEdit;

namespace tessel {

class Dialogs;

// Gives an entry field, as it is made, the filter its name calls for: a size field stays
// numeric while the user types, each refused character explained in a message, and the room
// name is typed in capitals. Keys that type no character (arrows, Delete, Home, shortcuts) are
// left alone. In the main window's fields Enter is a refused character; in a dialog's
// (`inDialog`) it accepts the dialog, as everywhere else. Fields of other names are left as
// they are.
void attachKeyFilter(QLineEdit &field, Dialogs &dialogs, bool inDialog = false);

} // namespace tessel
