#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QAbstractButton;
class QColor;
class QGroupBox;
class QLabel;
class QMainWindow;
class QMenu;
class QObject;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class StatusBar3;

// Controls of the windows, placed in twips (see Twips.h) and carrying their names as
// objectName, so that tests and accessibility find them.
class NamedControls {
public:
    // Any control, made on the parent, named and placed.
    template <class W>
    static W* make(QWidget* parent, const QString& name, int left, int top, int width, int height)
    {
        auto* w = new W(parent);
        place(*w, name, left, top, width, height);
        return w;
    }
    static void place(QWidget& w, const QString& name, int left, int top, int width, int height);

    // A one-line label, 255 twips high unless told.
    static QLabel* label(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                         int height = 255);
    // The heading of a window: a bold label of the given size in points.
    static QLabel* heading(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                           int height, double points = 14);
    // A heading sized from the window's own font: bold and `scale` times as large.
    static QLabel* scaledHeading(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                                 int width, int height, double scale);
    // A label whose text wraps within its box, drawn in a colour of its own.
    static QLabel* colouredNote(QWidget* parent, const QString& name, const QString& caption, const QColor& colour,
                                int left, int top, int width, int height);
    // A read-only note showing the lines as they stand, without wrapping or scroll bars: the
    // note is sized to its text. It takes no focus.
    static QPlainTextEdit* note(QWidget* parent, const QString& name, const QStringList& lines, int left, int top,
                                int width, int height);

    static QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                               int width, int height = 420);
    static QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                            int height);

    static void setTextColour(QWidget& w, const QColor& colour);

    // Tab goes from each control of the chain to the next, in this order.
    static void chainTabs(const std::vector<QWidget*>& chain);

    // Runs `chosen` whenever the option becomes the chosen one — by the pointer, a key or an
    // assistive tool's action alike — and again when the person chooses it while it already is.
    static void onChosen(QAbstractButton* option, const QObject* context, std::function<void()> chosen);

    // Gives every input control under `root` that has no accessible name of its own the text of
    // the label beside it, else its placeholder text, else the heading over its column, so
    // that a screen reader announces what the box is for. Windows call it again after they
    // add or relabel controls; names given earlier this way are brought up to date.
    static void nameInputs(QWidget& root);
    // Gives a control the accessible name a window chose for it; nameInputs leaves it as it is.
    static void setAccessibleName(QWidget& control, const QString& name);

    // A pop-up menu of the window: named, and announced by its title as an accessible menu
    // whose entries are its actions.
    static QMenu* popupMenu(QWidget* window, const QString& name, const QString& title);

    // The client area of a window with a menu: `client` becomes its central widget, named
    // "Client".
    static void setClient(QMainWindow& window, QWidget* client);
    // The three-panel status bar StatusBar1 of a window.
    static StatusBar3* statusBar(QMainWindow& window);

private:
    // Makes the label's text bold, of the given size in points.
    static QLabel* setBold(QLabel* l, double points);
};
