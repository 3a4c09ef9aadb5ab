#pragma once
#include <QString>

namespace db {

// What went wrong in the engine, as the person is told it. Each back end sorts its own codes
// (the file's result codes, the server's SQLSTATEs) into these kinds; one table gives the
// Japanese text of each, so a failure reads the same on a file and on a server.
enum class EngineFailure {
    DuplicateKey,
    Constraint,
    NotADatabase,
    CannotOpen,
    Busy,
    ReadOnly,
    DiskFull,
    ReadWrite,
    ConnectionLost,
    NoSuchTable,
    AlreadyExists,
    DuplicateColumn,
    Syntax,
    Overflow,
    Other,
};

// The Japanese text of a kind of failure.
QString failureText(EngineFailure kind);

// The message the person is shown: the text of the kind, the context (the statement or the
// file) on a line of its own when there is one, and the engine's own words in brackets.
QString failureMessage(EngineFailure kind, const QString& context, const QString& engineWords);

}  // namespace db
