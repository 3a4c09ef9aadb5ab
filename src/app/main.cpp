#include "core/App.h"
#include "app/Form1.h"
#include "core/ProgramLock.h"
#include "platform/print/Printer.h"
#include "platform/print/QtPrinterBackend.h"
#include "platform/ui/QtTranslations.h"
#include "platform/ui/QtUi.h"

#include <QApplication>

// The program directory is the folder the program runs from; Tanzo.mdb lives there, unless
// Tanzo.conn there or a --database option names a database server.
int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tanzo"));
    installQtTranslations(qapp);
    QFont f(QStringLiteral("IPAGothic"));
    f.setPointSize(10);
    QApplication::setFont(f);

    const QString programDir = QCoreApplication::applicationDirPath();
    QtUi ui;
    // A second copy on the same database ends here, before the file is opened.
    ProgramLock lock(programDir);
    if (!lock.acquire(ui)) return 1;
    Printer printer(std::make_unique<QtPrinterBackend>());
    App app(programDir, ui, printer);
    QString problem;
    const QString location = App::chooseDatabase(programDir, QCoreApplication::arguments(), &problem);
    if (!problem.isEmpty()) {
        ui.msgBox(problem, Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
        return 1;
    }
    app.useDatabase(location);
    Form1 main(app);
    if (!main.start()) return 1;
    if (ui.ended()) return 0;
    main.show();
    return QApplication::exec();
}
