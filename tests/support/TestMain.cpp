#include "TempProgramDir.h"
#include "platform/widgets/KeyboardAids.h"
#include "platform/widgets/SharedIconStyle.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test program runs headless with one QApplication, which watches the keys and focus of
// every window, and shares the style's icons, as the program's does.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installKeyboardAids(app);
    SharedIconStyle::install(app);
    ::testing::InitGoogleTest(&argc, argv);
    // Suites ending in ServerOnly check the database server the tests run against, and a
    // BackendTest's server half needs it too; without one they are left out of a run. With
    // one, the suites ending in FileOnly are left out: they are about the file itself. (A
    // listing still names them all, for CTest's two runs.)
    if (!GTEST_FLAG_GET(list_tests)) {
        std::string filter = GTEST_FLAG_GET(filter);
        filter += filter.find('-') == std::string::npos ? "-" : ":";
        filter += TempProgramDir::serverRun() ? "*FileOnly.*" : "*ServerOnly.*:*/server";
        GTEST_FLAG_SET(filter, filter);
    }
    return RUN_ALL_TESTS();
}
