#pragma once

class QWidget;

namespace tessel {

// Gives a control of the main window the tip its name has, if any, as it is made; an
// entrance button's tip is that of the caption it shows, and is given again whenever its
// caption changes.
void applyTip(QWidget &control);

} // namespace tessel
