#include "core/App.h"
#include "app/Form1.h"
#include "core/ProgramLock.h"
#include "core/ProgramPlaces.h"
#include "platform/print/Printer.h"
#include "platform/print/QtPrinterBackend.h"
#include "platform/ui/ConsoleUi.h"
#include "platform/ui/ProgramFont.h"
#include "platform/ui/QtTranslations.h"
#include "platform/ui/QtUi.h"
#include "platform/widgets/KeyboardAids.h"
#include "platform/widgets/SharedIconStyle.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QProcessEnvironment>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <memory>

namespace {

// With TANZO_TIME_FIRST_PAINT set, the program ends once its main window has painted for the
// first time, after printing "first paint <ms> ms cpu <ms> ms": the time since it entered main
// and the processor time the process has taken since it started. Start-up is measured with
// it; nothing else changes.
class FirstPaintClock : public QObject {
public:
    FirstPaintClock() { clock_.start(); }
    static bool wanted() { return !qEnvironmentVariableIsEmpty("TANZO_TIME_FIRST_PAINT"); }
    void watch(QWidget& window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // After the paint itself has run.
            QTimer::singleShot(0, this, [this] {
                timespec cpu{};
                clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
                std::printf("first paint %.1f ms cpu %.1f ms\n", static_cast<double>(clock_.nsecsElapsed()) / 1e6,
                            static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    QElapsedTimer clock_;
    bool painted_ = false;
};

}  // namespace

// The program directory is the folder the program runs from. Tanzo.mdb and its lock live there
// when this user can write it, else in the user's data folder (ProgramPlaces); Tanzo.conn
// there, in the user's or the system's configuration folder, or a --database option names a
// database server instead.
//
// --start-only starts as usual (the lock, the database made on the first start, the settings
// read) and ends without showing a window: it prints the database and the connection file in
// use and exits 0, or writes the message a window would have shown to standard error and
// exits 1. Installation checks use it to start the program where no one is at the screen.
int main(int argc, char** argv)
{
    FirstPaintClock firstPaint;
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tanzo"));
    installQtTranslations(qapp);
    installKeyboardAids(qapp);
    SharedIconStyle::install(qapp);
    QApplication::setFont(programFont());

    const QStringList arguments = QCoreApplication::arguments();
    const bool startOnly = arguments.contains(QStringLiteral("--start-only"));
    std::unique_ptr<QtUi> ownUi = startOnly ? std::make_unique<ConsoleUi>() : std::make_unique<QtUi>();
    QtUi& ui = *ownUi;

    const QString programDir = QCoreApplication::applicationDirPath();
    ProgramPlaces places = ProgramPlaces::find(programDir, QProcessEnvironment::systemEnvironment());
    QString problem;
    if (!places.makeDataDir(&problem)) {
        ui.msgBox(problem, Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
        return 1;
    }
    // The backup and restore windows open at the data folder.
    QDir::setCurrent(places.dataDir);
    // A second copy on the same database ends here, before the file is opened.
    ProgramLock lock(places.dataDir);
    if (!lock.acquire(ui)) return 1;
    Printer printer(std::make_unique<QtPrinterBackend>());
    App app(programDir, ui, printer);
    const QString location = App::chooseDatabase(places, arguments, &problem);
    if (!problem.isEmpty()) {
        ui.msgBox(problem, Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
        return 1;
    }
    app.places = places;
    app.useDatabase(location);
    Form1 main(app);
    if (!main.start()) return 1;
    if (ui.ended()) return 0;
    if (startOnly) {
        std::printf("%s\n", places.describe(location).toUtf8().constData());
        return 0;
    }
    if (FirstPaintClock::wanted()) firstPaint.watch(main);
    main.show();
    return QApplication::exec();
}
