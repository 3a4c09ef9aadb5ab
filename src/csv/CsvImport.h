#pragma once
#include <QString>

class App;
class QWidget;
class StatusBar3;

// "CSVファイルから取込(&I)..." of the main and sub record lists: the person picks a file,
// looks at it (encoding, first rows, columns and fields) and takes it in; every row is stored
// or none is, and the refused rows are named by row, field and reason.
class CsvImport {
public:
    static const QString kCaption;  // "CSVファイルから取込(&I)..."

    // Takes a file into the main (or the sub) file of the current category. The progress goes
    // to panel 3 of `status` when there is one. True when rows were stored.
    static bool run(App& app, QWidget& window, int category, bool sub, StatusBar3* status);
};
