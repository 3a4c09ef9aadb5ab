#include "ScriptedUi.h"

#include <QWidget>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

// A scripted answer or window hook that is never used means the test did not go the way it
// was meant to go; the test fails when its person goes away.
TEST(ScriptedUi, AnAnswerOrAHookLeftUnusedFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            ui.answer(Ui::Answer::Ok);
        },
        "1 queued answer(s) never asked for");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            ui.onShow(QStringLiteral("Form7"), [](QWidget&) {});
        },
        "window never shown: Form7");
    ScriptedUi used;
    used.answer(Ui::Answer::Yes);
    used.onShow(QStringLiteral("Form7"), [](QWidget&) {});
    EXPECT_EQ(used.msgBox(QStringLiteral("?"), Ui::Buttons::YesNo, Ui::Icon::Question, QStringLiteral("t")), Ui::Answer::Yes);
    QWidget w;
    w.setObjectName(QStringLiteral("Form7"));
    used.showModal(w);
}
