#pragma once
#include "common/PrintJob.h"

#include <QString>

class App;
class QWidget;
class StatusBar3;

// Screen print: a picture of a window with its frame, of its client area or of the whole
// screen, printed on one page of the program's printer, as large as fits.
class ScreenPrint {
public:
    enum class Capture { ActiveWindow, UserData, EntireScreen };

    // The status text shown while printing: "画面印刷中　ActiveWindow", "画面印刷中　UserData"
    // or "画面印刷中　EntireScreen".
    static QString statusText(Capture what);

    // Shows the status text in panel 3 of status (no text when status is null) and refreshes
    // the window so the text is in the picture; captures, prints the picture fitted on one page
    // in the orientation that suits it (or shows it in the print preview, or saves it as a
    // PDF), ends the document and clears panel 3. No printer dialog is shown. A printing error
    // is shown as every print shows one. Returns true when a page was printed or saved.
    static bool run(App& app, QWidget& window, Capture what, StatusBar3* status,
                    PrintJob::Destination where = PrintJob::Destination::Printer);
};
