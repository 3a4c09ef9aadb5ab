#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// Comma-separated files as spreadsheets write and read them: records of fields, a field quoted
// when it holds a comma, a double quote, CR or LF (a quote inside doubled), records ended with
// CR LF. Written as UTF-8 with a byte-order mark, or as Shift-JIS (code page 932).
class CsvFile {
public:
    enum class Encoding { Utf8, Cp932 };
    using Table = QList<QStringList>;

    // The largest file an import reads (256 MB): its records are held whole, several times its
    // size, while they are looked at and checked.
    static constexpr qint64 kMaxReadBytes = qint64(256) * 1024 * 1024;

    // A value code page 932 cannot hold, or would give back changed, by its row and column in
    // the table (from 0).
    struct Unencodable {
        int row = 0;
        int column = 0;
        QString value;
    };

    // One record as text, with its CR LF.
    static QString formatRecord(const QStringList& fields);
    // Every record, each ended with CR LF.
    static QString format(const Table& rows);

    // The cells code page 932 cannot hold, in reading order; at most `limit` of them. A cell is
    // held only when it reads back as the same text: the wave dash, the minus sign, the yen
    // sign and the double vertical line are written as characters that read back as others.
    static std::vector<Unencodable> unencodable(const Table& rows, int limit = 100);
    // The text in the encoding: UTF-8 begins with its byte-order mark. Nullopt when a character
    // cannot be written in code page 932 (check unencodable() first to say where).
    static std::optional<QByteArray> encode(const QString& text, Encoding encoding);

    // The encoding of a file's bytes: UTF-8 when they begin with its byte-order mark or are
    // valid UTF-8 throughout, otherwise code page 932.
    static Encoding detect(const QByteArray& bytes);
    // The bytes as text, without a byte-order mark. Nullopt when they are not valid in the
    // encoding.
    static std::optional<QString> decode(const QByteArray& bytes, Encoding encoding);

    // A text a spreadsheet would take for a formula, one whose first character after any
    // apostrophes is "=", "+", "-", "@", a tab or a CR, with an apostrophe put before it, the
    // mark spreadsheets read as "text as it is"; any other text as it is.
    static QString guardFormula(const QString& text);
    // The cell read back: one apostrophe less where guardFormula() put one.
    static QString unguardFormula(const QString& cell);

    // Reading a file: only a regular file of at most `maxBytes` is opened. A pipe, a device or
    // a folder is told by its kind before anything is opened, so a reading never waits for a
    // writer. `progress` is called now and then with the bytes read of the whole.
    enum class ReadFault { None, NotRegular, TooLarge, Unreadable };
    struct Read {
        QByteArray bytes;
        ReadFault fault = ReadFault::None;
    };
    static Read readFile(const QString& path, qint64 maxBytes = kMaxReadBytes,
                         const std::function<void(qint64 done, qint64 total)>& progress = {});

    struct Parsed {
        Table rows;
        QString error;  // empty when the text was read whole
        int errorLine = 0;  // the line (from 1) where the faulty field starts
    };
    // Reads records ended by CR LF, LF or CR (a last record may lack its end). A quoted field
    // keeps its commas and line ends as they are; a quote inside an unquoted field is kept as
    // text; a quoted field that is never closed is an error.
    static Parsed parse(const QString& text);
};
