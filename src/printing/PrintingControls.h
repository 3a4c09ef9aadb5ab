#pragma once
#include <QString>

class QColor;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

// Controls of the print settings and confirmation windows, placed in twips and carrying their
// designed names as objectName.
class PrintingControls {
public:
    template <class W>
    static W* make(QWidget* parent, const char* name, int left, int top, int width, int height)
    {
        auto* w = new W(parent);
        place(w, name, left, top, width, height);
        return w;
    }

    // A one-line label, 255 twips high unless told.
    static QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                         int height = 255);
    // A label whose text wraps within its box, drawn in a colour of its own.
    static QLabel* note(QWidget* parent, const char* name, const QString& caption, const QColor& colour, int left,
                        int top, int width, int height);
    static QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top,
                               int width = 1300, int height = 420);
    static QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                            int height);
    static void setTextColour(QWidget* w, const QColor& colour);

private:
    static void place(QWidget* w, const char* name, int left, int top, int width, int height);
};
