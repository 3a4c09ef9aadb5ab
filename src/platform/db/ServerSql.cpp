#include "platform/db/ServerSql.h"

#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/EngineFailure.h"

#include <QRegularExpression>
#include <QStringList>
#include <vector>

namespace db::serversql {

namespace {

struct Token {
    enum class Kind { Word, Quoted, Text, Punct };
    Kind kind;
    QString text;  // a quoted name without its quotes
};

QString syntaxError(const QString& sql)
{
    return db::failureText(db::EngineFailure::Syntax) + QStringLiteral("\r\n") + sql;
}

bool isPunct(QChar c) { return c == QLatin1Char('(') || c == QLatin1Char(')') || c == QLatin1Char(',') || c == QLatin1Char(';'); }

std::vector<Token> tokens(const QString& sql)
{
    std::vector<Token> out;
    int i = 0;
    const int n = int(sql.size());
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (isPunct(c)) {
            out.push_back({Token::Kind::Punct, QString(c)});
            ++i;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            QString t;
            int j = i + 1;
            for (;; ++j) {
                if (j >= n) throw DbError(syntaxError(sql));
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        t += c;
                        ++j;
                        continue;
                    }
                    break;
                }
                t += sql[j];
            }
            out.push_back({c == QLatin1Char('"') ? Token::Kind::Quoted : Token::Kind::Text, t});
            i = j + 1;
        } else {
            int j = i;
            while (j < n && !sql[j].isSpace() && !isPunct(sql[j]) && sql[j] != QLatin1Char('"') && sql[j] != QLatin1Char('\'')) ++j;
            out.push_back({Token::Kind::Word, sql.mid(i, j - i)});
            i = j;
        }
    }
    return out;
}

bool is(const Token& t, const char* word)
{
    return t.kind == Token::Kind::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isPunct(const Token& t, char c) { return t.kind == Token::Kind::Punct && t.text == QLatin1Char(c); }

// The server keeps the first 63 bytes of a longer name and drops the rest without a word;
// two names alike in those bytes would become one.
constexpr int kMaxNameBytes = 63;

QString name(const Token& t, const QString& sql)
{
    if (t.kind != Token::Kind::Word && t.kind != Token::Kind::Quoted) throw DbError(syntaxError(sql));
    if (t.text.toUtf8().size() > kMaxNameBytes)
        throw DbError(QStringLiteral("名前「%1」は長すぎます。データベース サーバーでは、名前は %2 バイト (全角で 21 文字) までです。\r\n%3")
                          .arg(t.text)
                          .arg(kMaxNameBytes)
                          .arg(sql));
    return quoteName(t.text);
}

QString serverType(const QString& declared, const QString& sql)
{
    const QString d = declared.toUpper();
    if (d == QLatin1String("SHORT")) return QStringLiteral("smallint");
    if (d == QLatin1String("LONG")) return QStringLiteral("integer");
    if (d == QLatin1String("CURRENCY")) return QStringLiteral("numeric(19,4)");
    if (d == QLatin1String("DATE")) return QStringLiteral("date");
    if (d == QLatin1String("TEXT")) return QStringLiteral("text");
    static const QRegularExpression sized(QStringLiteral("^TEXT\\((\\d+)\\)$"));
    const auto m = sized.match(d);
    if (m.hasMatch()) return QStringLiteral("varchar(%1)").arg(m.captured(1));
    throw DbError(QStringLiteral("データ型 '%1' はデータベース サーバーでは使えません。\r\n%2").arg(declared, sql));
}

// "( a , b )" from position i: the names quoted and joined; i moves past the ")".
QString nameList(const std::vector<Token>& t, size_t& i, const QString& sql)
{
    if (i >= t.size() || !isPunct(t[i], '(')) throw DbError(syntaxError(sql));
    QStringList names;
    for (++i; i < t.size() && !isPunct(t[i], ')'); ++i) {
        if (isPunct(t[i], ',')) continue;
        names << name(t[i], sql);
    }
    if (i >= t.size()) throw DbError(syntaxError(sql));
    ++i;
    return QLatin1Char('(') + names.join(QLatin1Char(',')) + QLatin1Char(')');
}

// The column and table definitions of CREATE TABLE, from the "(" at i to its ")".
QString createBody(const std::vector<Token>& t, size_t i, const QString& sql)
{
    QStringList parts;
    ++i;  // past "("
    while (i < t.size()) {
        QString part;
        if (is(t[i], "CONSTRAINT") || is(t[i], "PRIMARY")) {
            // A table constraint: its name would have to be unique in the whole database.
            if (is(t[i], "CONSTRAINT")) i += 2;
            if (i + 1 >= t.size() || !is(t[i], "PRIMARY") || !is(t[i + 1], "KEY")) throw DbError(syntaxError(sql));
            i += 2;
            part = QStringLiteral("PRIMARY KEY ") + nameList(t, i, sql);
        } else {
            part = name(t[i++], sql);
            if (i >= t.size()) throw DbError(syntaxError(sql));
            QString type = t[i++].text;
            if (i + 2 < t.size() && isPunct(t[i], '(') && isPunct(t[i + 2], ')')) {
                type += QLatin1Char('(') + t[i + 1].text + QLatin1Char(')');
                i += 3;
            }
            part += QLatin1Char(' ') + serverType(type, sql);
            while (i < t.size() && !isPunct(t[i], ',') && !isPunct(t[i], ')')) {
                if (is(t[i], "CONSTRAINT")) {
                    i += 2;
                } else if (is(t[i], "PRIMARY") && i + 1 < t.size() && is(t[i + 1], "KEY")) {
                    part += QStringLiteral(" PRIMARY KEY");
                    i += 2;
                } else if (is(t[i], "NOT") && i + 1 < t.size() && is(t[i + 1], "NULL")) {
                    part += QStringLiteral(" NOT NULL");
                    i += 2;
                } else {
                    throw DbError(syntaxError(sql));
                }
            }
        }
        parts << part;
        if (i >= t.size()) throw DbError(syntaxError(sql));
        if (isPunct(t[i], ')')) {
            if (i + 1 != t.size()) throw DbError(syntaxError(sql));
            // Last, so a statement that lists values without naming columns fills the others.
            parts << quoteName(kRowColumn) + QStringLiteral(" bigserial UNIQUE");
            return parts.join(QStringLiteral(", "));
        }
        ++i;  // past ","
    }
    throw DbError(syntaxError(sql));
}

}  // namespace

QString parameters(const QString& sql)
{
    QString out;
    out.reserve(sql.size());
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('?') && i + 1 < sql.size() && sql[i + 1].isDigit()) {
            out += QLatin1Char('$');
            continue;
        }
        out += c;
    }
    return out;
}

QString statement(const QString& sql)
{
    std::vector<Token> t = tokens(sql);
    // A closing ";" is allowed; anything after it is another statement.
    while (!t.empty() && isPunct(t.back(), ';')) t.pop_back();
    for (const Token& k : t)
        if (isPunct(k, ';'))
            throw DbError(QStringLiteral("SQL ステートメントの後に余分な文字があります。ステートメントは実行されませんでした。\r\n%1").arg(sql));
    if (t.size() >= 4 && is(t[0], "CREATE") && is(t[1], "TABLE") && isPunct(t[3], '('))
        return QStringLiteral("CREATE TABLE %1 (%2)").arg(name(t[2], sql), createBody(t, 3, sql));
    if (t.size() == 3 && is(t[0], "DROP") && is(t[1], "TABLE")) return QStringLiteral("DROP TABLE ") + name(t[2], sql);
    if (t.size() == 3 && is(t[0], "DELETE") && is(t[1], "FROM")) return QStringLiteral("DELETE FROM ") + name(t[2], sql);
    // Anything else is taken as the server's own words.
    return parameters(sql);
}

QString declaredType(const QString& serverType)
{
    static const QRegularExpression varchar(QStringLiteral("^character varying\\((\\d+)\\)$"));
    const auto m = varchar.match(serverType);
    if (m.hasMatch()) return QStringLiteral("TEXT(%1)").arg(m.captured(1));
    if (serverType == QLatin1String("text")) return QStringLiteral("TEXT");
    if (serverType == QLatin1String("smallint")) return QStringLiteral("SHORT");
    if (serverType == QLatin1String("integer")) return QStringLiteral("LONG");
    if (serverType == QLatin1String("numeric(19,4)")) return QStringLiteral("CURRENCY");
    if (serverType == QLatin1String("date")) return QStringLiteral("DATE");
    return serverType;
}

}  // namespace db::serversql
