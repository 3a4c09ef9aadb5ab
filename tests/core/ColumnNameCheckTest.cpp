#include "../schema/SchemaChecks.h"
#include "core/ColumnNameCheck.h"


using schema::checkColumnName;
using schema::checkColumnNames;

TEST(ColumnNameCheck, AcceptsNamesTheDatabaseTakesAsTheyStand)
{
    for (const char* name : {"品名", "数量（個）", "ＣＤ名", "Track2", "社員コード", "ﾀｲﾄﾙ", "日付・時刻", "区分１"})
        EXPECT_FALSE(checkColumnName(QString::fromUtf8(name), QStringLiteral("フィールド名称"), {}).has_value()) << name;
    EXPECT_FALSE(checkColumnNames({QStringLiteral("品名"), QStringLiteral("数量")}, QStringLiteral("x"),
                                  {schema::kRegistrationNoColumn})
                     .has_value());
}

TEST(ColumnNameCheck, RefusesWithAMessageThatNamesTheEntry)
{
    const QString what = QStringLiteral("コード・テーブル名");
    EXPECT_EQ(*checkColumnName(QStringLiteral("　"), what, {}), QStringLiteral("コード・テーブル名を入力してください"));
    const auto spaced = checkColumnName(QStringLiteral("社員 名"), what, {});
    ASSERT_TRUE(spaced.has_value());
    EXPECT_TRUE(spaced->startsWith(QStringLiteral("コード・テーブル名「社員 名」")));
    EXPECT_TRUE(checkColumnName(QStringLiteral("a_b"), what, {}).has_value());
    EXPECT_TRUE(checkColumnName(QStringLiteral("名\u0001"), what, {}).has_value());
    EXPECT_TRUE(checkColumnName(QStringLiteral("名\u200B"), what, {}).has_value());
    // The table's own columns, whatever their width or case.
    EXPECT_TRUE(checkColumnName(QStringLiteral("コード"), what, {schema::kCodeColumn}).has_value());
    EXPECT_FALSE(checkColumnName(QStringLiteral("コード"), what, {schema::kRegistrationNoColumn}).has_value());
    EXPECT_TRUE(checkColumnName(QStringLiteral("登録NO"), what, {schema::kRegistrationNoColumn}).has_value());
    EXPECT_TRUE(checkColumnName(QStringLiteral("ｻﾌﾞno"), what, {schema::kSubNoColumn}).has_value());
    for (const char* word : {"ORDER", "where", "Primary", "CONSTRAINT"})
        EXPECT_TRUE(checkColumnName(QString::fromLatin1(word), what, {}).has_value()) << word;
    const auto twice = checkColumnNames({QStringLiteral("ｶﾅ"), QStringLiteral("名"), QStringLiteral("カナ")}, what, {});
    ASSERT_TRUE(twice.has_value());
    EXPECT_TRUE(twice->contains(QStringLiteral("カナ")));
}
