#pragma once
// Checks shared by the tests of the definition windows.
#include "TestApp.h"
#include "platform/db/Database.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace check {

struct Msg {
    QString text;
    QString title;
    Ui::Icon icon;
};

// The boxes shown since the log was last cleared, in order, with every queued answer used
// (so each question really was a question); then clears the log.
inline void messages(ScriptedUi& ui, const std::vector<Msg>& expected)
{
    const auto got = ui.messages();
    EXPECT_EQ(ui.pendingReplies(), 0);
    ui.clearLog();
    ASSERT_EQ(got.size(), expected.size()) << (got.empty() ? std::string() : got.back().text.toStdString());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].text, expected[i].text) << i;
        EXPECT_EQ(got[i].title, expected[i].title) << i;
        EXPECT_EQ(got[i].icon, expected[i].icon) << i;
    }
}

// Exactly one box, an engine error, since the log was cleared.
inline void engineError(ScriptedUi& ui)
{
    const auto got = ui.messages();
    ui.clearLog();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].title, QStringLiteral("Error"));
    EXPECT_EQ(got[0].icon, Ui::Icon::Critical);
}

// "name declared" of every column of a table, in order.
inline QStringList columns(TestApp& t, const QString& table)
{
    QStringList out;
    for (const ColumnInfo& c : t.db().columns(table)) out << c.name + QLatin1Char(' ') + c.declared;
    return out;
}

}  // namespace check
