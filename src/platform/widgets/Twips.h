#pragma once
// Screen geometry in twips (1/1440 inch), converted with the widget's logical DPI:
// pixels = twips * dpi / 1440 (15 twips a pixel at 96 DPI). X values use the horizontal
// DPI, Y values the vertical one.

#include <QString>

class QWidget;

int twipsToPixelsX(const QWidget& w, int twips);
int twipsToPixelsY(const QWidget& w, int twips);
int pixelsToTwipsX(const QWidget& w, int pixels);
int pixelsToTwipsY(const QWidget& w, int pixels);

// A window's left and top place its frame (so its title bar stays on a small screen); its
// width and height are those of its client area. A control's are all its own.
void setGeometryTwips(QWidget& w, int left, int top, int width, int height);
void moveTwips(QWidget& w, int left, int top);
void setWidthTwips(QWidget& w, int width);
void setHeightTwips(QWidget& w, int height);
void setLeftTwips(QWidget& w, int left);
void setTopTwips(QWidget& w, int top);

int leftTwips(const QWidget& w);
int topTwips(const QWidget& w);
int widthTwips(const QWidget& w);
int heightTwips(const QWidget& w);

// Width of the text in the widget's font, in twips.
int textWidthTwips(const QWidget& w, const QString& text);
