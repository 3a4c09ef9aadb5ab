#pragma once
// Database files of this program changed so that something in them could run or redirect
// other statements than the program's own; each is refused at a restore and at the start.
// The changes fit a file made by makeCategories(t, true) with code table 2 deleted since.
#include <QString>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <vector>

namespace hostile {

// Runs statements on a database file directly, as another program could.
inline void runSql(const QString& path, const QString& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "") << " in " << sql.toStdString();
    sqlite3_free(error);
    sqlite3_close(db);
}

struct Hostile {
    const char* what;
    QString sql;
    QString named;  // a part of the refusal that says what is wrong
};

inline const std::vector<Hostile>& hostileFiles()
{
    static const std::vector<Hostile> files = {
        {"trigger deleting the other records",
         QStringLiteral("CREATE TRIGGER keep_one AFTER INSERT ON SHUMOKU1 BEGIN "
                        "DELETE FROM SHUMOKU1 WHERE 登録ＮＯ <> NEW.登録ＮＯ; END"),
         QStringLiteral("トリガー「keep_one」(テーブル「SHUMOKU1」)")},
        {"trigger resetting the counter",
         QStringLiteral("CREATE TRIGGER reset AFTER UPDATE ON 管理テーブル BEGIN UPDATE 管理テーブル SET 登録NO = 0; END"),
         QStringLiteral("トリガー「reset」(テーブル「管理テーブル」)")},
        {"view", QStringLiteral("CREATE VIEW 一覧 AS SELECT * FROM SHUMOKU1"), QStringLiteral("ビュー「一覧」")},
        {"main table redirected to the management table",
         QStringLiteral("UPDATE 管理テーブル SET 種目テーブル名 = '管理テーブル' WHERE CommandKeyNO = 1"),
         QStringLiteral("種目1 のメイン・ファイルのテーブル名が「管理テーブル」になっています。「SHUMOKU1」でなければなりません。")},
        {"main table redirected to another category's table",
         QStringLiteral("UPDATE 管理テーブル SET 種目テーブル名 = 'SHUMOKU1' WHERE CommandKeyNO = 2"),
         QStringLiteral("種目2 のメイン・ファイルのテーブル名が「SHUMOKU1」")},
        {"foreign table", QStringLiteral("CREATE TABLE 控え (a TEXT)"), QStringLiteral("ものではないテーブル「控え」")},
        {"column renamed", QStringLiteral("ALTER TABLE SHUMOKU1 RENAME COLUMN 枚数 TO 数量"),
         QStringLiteral("テーブル「SHUMOKU1」の列が管理テーブルの定義と合いません。")},
        {"column of another type",
         QStringLiteral("DROP TABLE SHUMOKU2; CREATE TABLE SHUMOKU2 (メモ TEXT, 備考 TEXT, 感想 TEXT, 分類 LONG, "
                        "登録ＮＯ LONG CONSTRAINT MyFieldMain PRIMARY KEY)"),
         QStringLiteral("テーブル「SHUMOKU2」の列が")},
        {"column added to the sub file", QStringLiteral("ALTER TABLE SHUMOKU1SUB ADD COLUMN 余分 TEXT"),
         QStringLiteral("テーブル「SHUMOKU1SUB」の列が")},
        {"code table's name column renamed", QStringLiteral("ALTER TABLE CODE1 RENAME COLUMN ジャンル TO 名前"),
         QStringLiteral("テーブル「CODE1」の列が")},
        {"key that replaces the record it meets",
         QStringLiteral("DROP TABLE SHUMOKU2; CREATE TABLE SHUMOKU2 (メモ TEXT, 備考 TEXT, 感想 TEXT, 分類 TEXT, "
                        "登録ＮＯ LONG PRIMARY KEY ON CONFLICT REPLACE)"),
         QStringLiteral("テーブル「SHUMOKU2」に競合時の処理 (ON CONFLICT)")},
        {"table without row ids",
         QStringLiteral("DROP TABLE SHUMOKU2; CREATE TABLE SHUMOKU2 (メモ TEXT, 備考 TEXT, 感想 TEXT, 分類 TEXT, "
                        "登録ＮＯ LONG PRIMARY KEY) WITHOUT ROWID"),
         QStringLiteral("テーブル「SHUMOKU2」は通常のテーブルではありません。")},
        {"recorded table missing", QStringLiteral("DROP TABLE SHUMOKU1SUB"),
         QStringLiteral("種目1 のサブ・ファイルのテーブル「SHUMOKU1SUB」がありません。")},
    };
    return files;
}

}  // namespace hostile
