#include "platform/db/EngineFailure.h"
#include "platform/db/PgBackend.h"
#include "platform/db/SqliteBackend.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <tuple>
#include <vector>

using db::EngineFailure;

// The file's result codes and the server's SQLSTATEs come to the same kinds, so the person
// reads one message for one fault whichever holds the database.
TEST(EngineFailure, BothBackEndsTellTheSameFaultsApartAlike)
{
    const std::vector<std::tuple<int, const char*, EngineFailure>> same = {
        {SQLITE_CONSTRAINT_PRIMARYKEY, "23505", EngineFailure::DuplicateKey},
        {SQLITE_CONSTRAINT_NOTNULL, "23502", EngineFailure::Constraint},
        {SQLITE_BUSY, "55P03", EngineFailure::Busy},
        {SQLITE_LOCKED, "40P01", EngineFailure::Busy},
        {SQLITE_READONLY, "25006", EngineFailure::ReadOnly},
        {SQLITE_FULL, "53100", EngineFailure::DiskFull},
        {SQLITE_ERROR, "XX000", EngineFailure::Other},
    };
    for (const auto& [rc, state, kind] : same) {
        EXPECT_EQ(db::SqliteBackend::failureOf(nullptr, rc), kind) << rc;
        EXPECT_EQ(db::PgBackend::failureOf(state), kind) << state;
    }
    // A result without a state never reached the server.
    EXPECT_EQ(db::PgBackend::failureOf(QByteArray()), EngineFailure::ConnectionLost);
    EXPECT_EQ(db::SqliteBackend::failureOf(nullptr, SQLITE_NOTADB), EngineFailure::NotADatabase);

    EXPECT_EQ(db::failureMessage(EngineFailure::DuplicateKey, QStringLiteral("INSERT"), QStringLiteral("words")),
              QStringLiteral("主キーの値が重複しているため、レコードを書き込めませんでした。\r\nINSERT\r\n(words)"));
    EXPECT_EQ(db::failureMessage(EngineFailure::Other, QString(), QStringLiteral("words")),
              QStringLiteral("データベース エラーが発生しました。\r\n(words)"));
}
