#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

class QWidget;

namespace velkor {

// The height taken for a title bar that the window manager has not drawn yet: a little more than
// the usual desktops' (24 to 32 logical pixels), so that a window placed low keeps it all.
inline constexpr int kAssumedTitleBarHeight = 32;

// Where a window's frame goes so that its whole title bar lies on the screens present: `frame`
// is the frame at the place wanted, `title_height` its title bar's height, `screens` the
// screens' available areas. A title bar the screens cover already (one screen or several side by
// side) stays; otherwise the frame moves the least onto the screen that holds most of the title
// bar, or the nearest one: into its width (a frame wider than the screen keeps its left edge on
// it) and with the title bar between its top and its bottom. No screen: the place wanted.
QPoint FramePositionOnScreens(const QRect& frame, int title_height, const QList<QRect>& screens);

// The available areas of the screens present now.
QList<QRect> AvailableScreenAreas();

// The window's title bar height: the frame's top margin once the window manager has drawn it,
// else kAssumedTitleBarHeight.
int TitleBarHeight(const QWidget& window);

// Places a top-level window so that its frame's top-left corner is at `frame_position` (pixels),
// corrected as FramePositionOnScreens says: ecu.ini's positions are frame positions, as pos()
// reads them back.
void PlaceFrame(QWidget& window, QPoint frame_position);

// Call from showEvent. Once the window is shown and its frame drawn, puts the frame where
// PlaceFrame asked, brought on the screens: a window that its layout resized before it appeared
// is put by the window system with its inside at that place, the title bar above it. A window
// not placed by PlaceFrame only has its whole title bar brought back on a screen (a frame taller
// than assumed, a screen that went away). It looks twice: at once, and again once the window
// manager has had a moment to draw the frame.
void KeepTitleBarOnScreen(QWidget& window);

}  // namespace velkor
