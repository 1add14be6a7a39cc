#pragma once

class QWidget;

namespace tessel {

// Ends the application's event loop right after `window`'s first complete frame: the first
// pass that paints the exposed window, all of its widgets, and flushes it to the screen, with
// no repaint of it still pending. The process then shuts down as after any close. Call once
// the window is shown; the watch is owned by the window.
void quitAfterFirstFrame(QWidget &window);

} // namespace tessel
