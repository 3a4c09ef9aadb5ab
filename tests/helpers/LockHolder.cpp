// Starts as the program does on a program directory: takes the program lock, then loads the
// database in the main window. Prints "held" once it runs (and stays until it is killed), or
// "refused" with the message the person was shown.
#include "ScriptedUi.h"
#include "core/App.h"
#include "app/Form1.h"
#include "core/ProgramLock.h"

#include <QApplication>
#include <QThread>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    if (argc < 2) return 2;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    ScriptedUi ui;
    ProgramLock lock(dir);
    if (!lock.acquire(ui)) {
        std::printf("refused\n%s\n", ui.lastMessage().toUtf8().constData());
        std::fflush(stdout);
        return 1;
    }
    App app(dir, ui);
    Form1 main(app);
    if (!main.start()) return 3;
    std::printf("held\n");
    std::fflush(stdout);
    for (;;) QThread::sleep(1);
}
