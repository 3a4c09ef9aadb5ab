#include "common/ScreenPrint.h"

#include "core/App.h"
#include "platform/capture/ScreenCapture.h"
#include "platform/print/Printer.h"
#include "platform/widgets/StatusBar3.h"

#include <QWidget>

QString ScreenPrint::statusText(Capture what)
{
    switch (what) {
    case Capture::ActiveWindow: return QStringLiteral("画面印刷中　ActiveWindow");
    case Capture::UserData: return QStringLiteral("画面印刷中　UserData");
    case Capture::EntireScreen: return QStringLiteral("画面印刷中　EntireScreen");
    }
    return QString();
}

bool ScreenPrint::run(App& app, QWidget& window, Capture what, StatusBar3* status, PrintJob::Destination where)
{
    QImage picture;
    PrintJob job(app, window.windowTitle(), [&](Printer& p) { PrintPictureFitted(p, picture); });
    // The status text is shown and the picture taken once the destination is settled, so that
    // a question about a missing printer is not in the picture.
    job.prepare = [&] {
        if (status) status->setPanelText(3, statusText(what));
        window.repaint();
        switch (what) {
        case Capture::ActiveWindow: picture = CaptureWholeWindow(window); break;
        case Capture::UserData: picture = CaptureClientArea(window); break;
        case Capture::EntireScreen: picture = CaptureWholeScreen(&window); break;
        }
        return !picture.isNull();
    };
    const bool done = job.run(where);

    if (status) status->setPanelText(3, QString());
    window.repaint();
    return done;
}
