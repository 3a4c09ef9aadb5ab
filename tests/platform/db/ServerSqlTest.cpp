#include "platform/db/DbError.h"
#include "platform/db/ServerSql.h"

#include <gtest/gtest.h>

using namespace db::serversql;

// The program's own statements, as it writes them for the file, in the server's words.
TEST(ServerSql, TheProgramsStatementsAreTranslatedAndEverythingElseRefusedOrLeft)
{
    EXPECT_EQ(statement(QStringLiteral("CREATE TABLE SHUMOKU1 (品名 TEXT(50), 枚数 LONG, 価格 CURRENCY, 発売日 DATE, 区分 SHORT, "
                                       "備考 TEXT, 登録ＮＯ LONG CONSTRAINT MyFieldMain PRIMARY KEY)")),
              QStringLiteral("CREATE TABLE \"SHUMOKU1\" (\"品名\" varchar(50), \"枚数\" integer, \"価格\" numeric(19,4), "
                             "\"発売日\" date, \"区分\" smallint, \"備考\" text, \"登録ＮＯ\" integer PRIMARY KEY, "
                             "\"_tanzo_row\" bigserial UNIQUE)"));
    EXPECT_EQ(statement(QStringLiteral("CREATE TABLE SHUMOKU1SUB (曲名 TEXT, 登録ＮＯ LONG ,サブＮＯ LONG, "
                                       "CONSTRAINT MyFieldSub PRIMARY KEY(登録ＮＯ, サブＮＯ))")),
              QStringLiteral("CREATE TABLE \"SHUMOKU1SUB\" (\"曲名\" text, \"登録ＮＯ\" integer, \"サブＮＯ\" integer, "
                             "PRIMARY KEY (\"登録ＮＯ\",\"サブＮＯ\"), \"_tanzo_row\" bigserial UNIQUE)"));
    EXPECT_EQ(statement(QStringLiteral("CREATE TABLE CODE1 ( コード TEXT(3) CONSTRAINT MyFieldConstraint PRIMARY KEY, 社員 TEXT(30))")),
              QStringLiteral("CREATE TABLE \"CODE1\" (\"コード\" varchar(3) PRIMARY KEY, \"社員\" varchar(30), "
                             "\"_tanzo_row\" bigserial UNIQUE)"));
    EXPECT_EQ(statement(QStringLiteral("DROP TABLE CODE1")), QStringLiteral("DROP TABLE \"CODE1\""));
    EXPECT_EQ(statement(QStringLiteral("DELETE FROM \"SHUMOKU1\";")), QStringLiteral("DELETE FROM \"SHUMOKU1\""));

    // Parameters are numbered the server's way, except inside quotes.
    EXPECT_EQ(parameters(QStringLiteral("SELECT \"a?1\" FROM t WHERE b = ?1 AND c = '?2' AND d = ?12")),
              QStringLiteral("SELECT \"a?1\" FROM t WHERE b = $1 AND c = '?2' AND d = $12"));

    // A second statement, a type without a server word, and a name the server would cut.
    EXPECT_THROW(statement(QStringLiteral("DROP TABLE CODE1; DROP TABLE CODE2")), DbError);
    EXPECT_THROW(statement(QStringLiteral("CREATE TABLE T (a MEMO)")), DbError);
    EXPECT_NO_THROW(statement(QStringLiteral("CREATE TABLE T (%1 TEXT)").arg(QString(21, QChar(0x540D)))));
    try {
        statement(QStringLiteral("CREATE TABLE T (%1 TEXT)").arg(QString(22, QChar(0x540D))));
        ADD_FAILURE() << "a name of 66 bytes was taken";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("名前「"))) << e.message().toStdString();
    }

    // The types read back as the file declares them.
    EXPECT_EQ(declaredType(QStringLiteral("character varying(4)")), QStringLiteral("TEXT(4)"));
    EXPECT_EQ(declaredType(QStringLiteral("numeric(19,4)")), QStringLiteral("CURRENCY"));
    EXPECT_EQ(declaredType(QStringLiteral("smallint")), QStringLiteral("SHORT"));
    EXPECT_EQ(declaredType(QStringLiteral("integer")), QStringLiteral("LONG"));
    EXPECT_EQ(declaredType(QStringLiteral("bytea")), QStringLiteral("bytea"));
}
