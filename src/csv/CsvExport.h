#pragma once
#include "platform/text/CsvFile.h"

#include <QString>

class App;
class QAction;
class QMenu;
class QWidget;
class ReportListView;
class StatusBar3;

// "CSVファイルに出力(&E)..." of the list windows: writes what a list shows, in the order and
// sort it shows, with its column headings as the first record. An amount is written to the
// last unit it is held to, so an import gives it back; a text a spreadsheet would take for a
// formula is written after an apostrophe (CsvFile::guardFormula). The person picks the file and
// the encoding (UTF-8 with a byte-order mark, or Shift-JIS); a value Shift-JIS cannot hold or
// would give back changed is named by row and column before anything is written, with UTF-8
// offered instead. The file is written whole or not at all.
class CsvExport {
public:
    static const QString kCaption;  // "CSVファイルに出力(&E)..."

    // Puts the item into `menu` before `before` (at the end when null). Its progress goes to
    // panel 3 of `status` when there is one.
    static QAction* addTo(QMenu& menu, QAction* before, App& app, QWidget& window, ReportListView& list,
                          StatusBar3* status);

    // What the item does.
    static void run(App& app, QWidget& window, const ReportListView& list, StatusBar3* status);

    // The list as records: the headings of the shown columns, then every row as shown, texts
    // guarded against formulas, values in full. In Shift-JIS the yen sign of an amount is the
    // backslash, the character that code page shows as the yen sign.
    static CsvFile::Table table(const ReportListView& list, CsvFile::Encoding encoding);
};
