#pragma once

class QWidget;

namespace tessel {

// Gives the controls of `window` their tips; the entrance buttons' tip follows their caption.
void installHints(QWidget &window);

} // namespace tessel
