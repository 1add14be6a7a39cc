#pragma once

class QWidget;

namespace tessel {

// Gives a control of the main window the tip its name has, if any, as it is made; the
// entrance buttons' tip then follows their caption.
void applyTip(QWidget &control);

} // namespace tessel
