#include "Builders.h"
#include "TestApp.h"
#include "core/AllFilesSearch.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <gtest/gtest.h>

TEST(AllFilesSearch, TextFieldsOfEveryFileInFileOrderWithProgressAndTheHitsBeforeAnError)
{
    TestApp t;
    auto f = [](const char* name, const char* type) { return FieldDefinition{QString::fromUtf8(name), type}; };
    build::createCodeTable(t.app, 1, QStringLiteral("分類"), 2);
    build::defineMain(t.app, 0, {f("品名", "TEXT"), f("分類", "CODE1")});
    build::defineSub(t.app, 0, {f("曲名", "TEXT1D")});
    build::addMainRow(t.app, 0, {"ab", "ab"}, 1);
    build::addSubRow(t.app, 0, {"Ab Ab"}, 1, 1);
    build::defineMain(t.app, 2, {f("題", "TEXT"), f("メモ", "TEXT")});
    build::addMainRow(t.app, 2, {"ＡＢ", "xab"}, 5);
    EXPECT_EQ(AllFilesSearch::fileCount(t.app.cache), 3);

    std::vector<AllFilesSearch::Hit> hits;
    QStringList told;
    AllFilesSearch::run(t.app.cache, QStringLiteral("ab"), 0, hits,
                        {[&] { told << "open"; }, [&](int n) { told << QString::number(n); }, [&] { told << "done"; }});
    // Textual: case and width do not count; a code field is never searched.
    QStringList found;
    for (const AllFilesSearch::Hit& h : hits)
        found << QStringList{h.text, h.fieldName, h.table, h.registrationNo, h.subNo}.join(QLatin1Char('|'));
    EXPECT_EQ(found, QStringList({"ab|品名|SHUMOKU1|1|", "Ab Ab|曲名|SHUMOKU1SUB|1|1", "ＡＢ|題|SHUMOKU3|5|", "xab|メモ|SHUMOKU3|5|"}));
    EXPECT_EQ(told, QStringList({"open", "1", "done", "2", "done", "3", "done"}));

    // A file recorded but gone: the engine's error, and the hits of the files before it stay.
    t.db().execute("DROP TABLE SHUMOKU3");
    hits.clear();
    EXPECT_THROW(AllFilesSearch::run(t.app.cache, QStringLiteral("ab"), 0, hits), DbError);
    EXPECT_EQ(hits.size(), 2u);
}
