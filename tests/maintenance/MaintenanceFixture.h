#pragma once
// Helpers shared by the tests of the maintenance windows.
#include "../schema/SchemaChecks.h"
#include "Find.h"
#include "TestApp.h"
#include "core/ConfigCache.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <csignal>
#include <sys/resource.h>

namespace fixture {

inline QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

// Every entry of a folder, sorted: a failed copy must leave nothing behind.
inline QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// The management table as stored, read into a cache of its own.
inline ConfigCache stored(const QString& databasePath) { return storedCache(databasePath); }

// Every value of the seven rows as one text, to compare two states of the cache or table.
inline QString dump(const ConfigCache& c)
{
    QStringList out;
    for (int r = 0; r < 7; ++r) {
        const CategoryDefinition& d = c.row(r);
        QStringList row{QString::number(d.rowKey), QString::number(d.named), d.name, d.databaseFileName,
                        QString::number(d.mainCreated), d.mainTableName, QString::number(d.mainFieldCount)};
        for (const FieldDefinition& f : d.mainFields) row << f.name << f.typeWord;
        row << QString::number(d.subCreated) << d.subTableName << QString::number(d.subFieldCount);
        for (const FieldDefinition& f : d.subFields) row << f.name << f.typeWord;
        row << QString::number(d.lastRegistrationNo);
        out << row.join(QLatin1Char('|'));
    }
    return out.join(QLatin1Char('\n'));
}

// Picks a file of a folder in the file list of a window that chooses one (the restore).
template <class Window>
void choose(Window& f, const QString& folder, const QString& file)
{
    f.browser().setPath(folder);
    const auto found = child<QListWidget>(f, "File1")->findItems(file, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << file.toStdString();
    child<QListWidget>(f, "File1")->setCurrentItem(found.first());
}

inline check::Msg backupConfirmation(const QString& folder)
{
    return {QStringLiteral("バックアップ先フォルダーは  パス名：") + folder + QStringLiteral(" です。"),
            QStringLiteral("バックアップ先フォルダー確認"), Ui::Icon::Question};
}

inline const check::Msg kBackedUp{QStringLiteral("バックアップは終了しました"), QStringLiteral("終了"), Ui::Icon::Information};

// The confirmation, then the error box: its first line, then why the backup failed.
inline void backupFailed(TestApp& t, const QString& folder)
{
    const auto got = t.ui.messages();
    t.ui.clearLog();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].text, backupConfirmation(folder).text);
    const QString first = QStringLiteral("バックアップコピーでエラーが発生しました\r\n");
    EXPECT_TRUE(got[1].text.startsWith(first) && got[1].text.size() > first.size()) << got[1].text.toStdString();
    EXPECT_EQ(got[1].title, QStringLiteral("Error"));
    EXPECT_EQ(got[1].icon, Ui::Icon::Critical);
}

// While it lives, no file of this process may grow beyond a few kilobytes: writing more
// fails as on a full disk.
class SmallDisk {
public:
    explicit SmallDisk(rlim_t bytes = 4096)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~SmallDisk()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

// バックアップ実行 of a backup window, confirmed, into the folder while the disk is full: the
// error box follows the confirmation.
template <class Window>
void backUpOnAFullDisk(TestApp& t, Window& f, const QString& folder)
{
    f.browser().setPath(folder);
    {
        SmallDisk full;
        t.ui.answer(Ui::Answer::Ok);
        child<QPushButton>(f, "Command2")->click();
    }
    backupFailed(t, folder);
}

}  // namespace fixture
