#pragma once
#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QWidget;

// Labels and notes of the list windows and their dialogs, placed in twips and carrying their
// designed names as objectName.
class NamedControls {
public:
    // A one-line label, 300 twips high unless told.
    static QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                         int height = 300);
    // A read-only note showing the lines as they stand, without wrapping or scroll bars: the
    // note is sized to its text.
    static QPlainTextEdit* note(QWidget* parent, const char* name, const QStringList& lines, int left, int top,
                                int width, int height);
};
