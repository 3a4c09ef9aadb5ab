#pragma once
#include <QImage>
#include <QRect>
#include <QSizeF>

class QWidget;
class Printer;

// Pictures of what the person sees, in screen pixels, and their printing on one page.

// A rectangle of a window in pixels: of the whole window with its frame and caption, or of its
// client area (everything below the menu bar: tool bars, contents and status bar).
QImage CaptureWindowArea(QWidget& window, bool clientOnly, int left, int top, int width, int height);
// The whole window with its frame and caption. Where the platform draws no frame (no window
// manager, or a window not on the screen) this is the window itself.
QImage CaptureWholeWindow(QWidget& window);
// The window's client area.
QImage CaptureClientArea(QWidget& window);
// The whole screen the window is on (the primary screen without a window). Where the platform
// will not hand out the screen's pixels, the visible windows are drawn over an empty desktop.
QImage CaptureWholeScreen(QWidget* window = nullptr);

// The size a picture of pictureSize is printed at on a page of pageSize: as large as fits with
// its proportions kept, the full width when it is relatively wider than the page, else the
// full height.
QSizeF FittedPictureSize(const QSize& pictureSize, const QSizeF& pageSize);
// Prints the picture on the current page: landscape when it is wider than tall, else portrait
// (the printer keeps that orientation), at the top-left corner, fitted to the page. An empty
// picture prints nothing and returns false. A refused orientation throws PrinterError 380.
bool PrintPictureFitted(Printer& printer, const QImage& picture);
