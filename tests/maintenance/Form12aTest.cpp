#include "Builders.h"
#include "Find.h"
#include "Person.h"
#include "MaintenanceFixture.h"
#include "core/FileCopy.h"
#include "maintenance/FolderBrowser.h"
#include "maintenance/Form12a.h"

#include <QComboBox>
#include <QPushButton>
#include <QLabel>
#include <QListWidget>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

using Icon = Ui::Icon;
using Answer = Ui::Answer;

const QString kFolderError = QStringLiteral("新規フォルダー作成でエラーが発生しました");

QStringList listed(const QListWidget* files)
{
    QStringList out;
    for (int i = 0; i < files->count(); ++i) out << files->item(i)->text();
    return out;
}

}  // namespace

TEST(Form12aFileOnly, BacksUpIntoTheChosenFolderReplacingAnEarlierCopyWithoutAsking)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    QTemporaryDir target;
    fixture::writeFile(target.filePath(QStringLiteral("Tanzo.mdb")), "an older copy");
    fixture::writeFile(target.filePath(QStringLiteral("memo.txt")), "kept");

    Form12a f(t.app);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - データベース・バックアップ"));
    EXPECT_EQ(child<QLabel>(f, "Label2")->text(), QStringLiteral("データベース(Tanzo.mdb)のバックアップ先フォルダーを指定して下さい"));
    // The folder tree starts where the program was started from.
    EXPECT_EQ(f.browser().path(), QDir::cleanPath(QDir::currentPath()));

    f.browser().setPath(target.path());
    EXPECT_EQ(listed(child<QListWidget>(f, "File1")), QStringList({"memo.txt", "Tanzo.mdb"}));

    // Cancel copies nothing.
    t.ui.answer(Answer::Cancel);
    child<QPushButton>(f, "Command2")->click();
    check::messages(t.ui, {fixture::backupConfirmation(target.path())});
    EXPECT_EQ(fixture::bytesOf(target.filePath(QStringLiteral("Tanzo.mdb"))), QByteArray("an older copy"));

    t.ui.answer(Answer::Ok);
    child<QPushButton>(f, "Command2")->click();
    check::messages(t.ui, {fixture::backupConfirmation(target.path()), fixture::kBackedUp});
    EXPECT_EQ(fixture::bytesOf(target.filePath(QStringLiteral("Tanzo.mdb"))), fixture::bytesOf(t.app.databasePath()));
    EXPECT_EQ(fixture::stored(target.filePath(QStringLiteral("Tanzo.mdb"))).row(0).name, QStringLiteral("ＣＤ"));
    EXPECT_EQ(fixture::entriesOf(target.path()), QStringList({"Tanzo.mdb", "memo.txt"}));
}

TEST(Form12aFileOnly, AFailedBackupLeavesTheEarlierCopyWholeAndNothingHalfWritten)
{
    TestApp t;
    build::defineMain(t.app, 0, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
    for (int n = 1; n <= 40; ++n) build::addMainRow(t.app, 0, {QString(200, QChar(u'あ'))}, n);
    ASSERT_GT(QFileInfo(t.app.databasePath()).size(), 8192);

    QTemporaryDir target;
    const QString copy = target.filePath(QStringLiteral("Tanzo.mdb"));
    fixture::writeFile(copy, "an older copy");
    Form12a f(t.app);
    fixture::backUpOnAFullDisk(t, f, target.path());
    EXPECT_EQ(fixture::bytesOf(copy), QByteArray("an older copy"));
    EXPECT_EQ(fixture::entriesOf(target.path()), QStringList({"Tanzo.mdb"}));

    // A folder in the way of the copy's name is an error too, and stays as it is.
    QTemporaryDir blocked;
    ASSERT_TRUE(QDir(blocked.path()).mkdir(QStringLiteral("Tanzo.mdb")));
    f.browser().setPath(blocked.path());
    t.ui.answer(Answer::Ok);
    child<QPushButton>(f, "Command2")->click();
    fixture::backupFailed(t, blocked.path());
    EXPECT_TRUE(QFileInfo(blocked.filePath(QStringLiteral("Tanzo.mdb"))).isDir());
    EXPECT_EQ(fixture::entriesOf(blocked.path()), QStringList({"Tanzo.mdb"}));
}

TEST(Form12aFileOnly, TheDatabasesOwnFolderIsRefusedAsNoBackup)
{
    // A copy of the database onto itself is no backup: it is refused, not reported as done.
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    Form12a f(t.app);
    const QString own = QFileInfo(t.app.databasePath()).absolutePath();
    f.browser().setPath(own);
    t.ui.answer(Answer::Ok);
    child<QPushButton>(f, "Command2")->click();
    fixture::backupFailed(t, own);
    EXPECT_EQ(fixture::stored(t.app.databasePath()).row(0).name, QStringLiteral("ＣＤ"));
}

TEST(Form12a, NewFolderIsMadeInTheCurrentFolderUnlessTheNameIsUnusable)
{
    TestApp t;
    QTemporaryDir here;
    Form12a f(t.app);
    f.browser().setPath(here.path());
    const QString prompt = QStringLiteral("新規作成のフォルダー名を入力して下さい。\r\n作成されるパス名は") + here.path() +
                           QStringLiteral(" です。");

    // An empty answer and Cancel make nothing and say nothing.
    t.ui.answerText(QString());
    child<QPushButton>(f, "Command1")->click();
    t.ui.answerText(std::nullopt);
    child<QPushButton>(f, "Command1")->click();
    ASSERT_EQ(t.ui.calls().size(), 2u);
    EXPECT_EQ(t.ui.calls()[0].kind, QStringLiteral("inputBox"));
    EXPECT_EQ(t.ui.calls()[0].text, prompt);
    EXPECT_EQ(t.ui.calls()[0].title, QStringLiteral("新規作成フォルダー名入力"));
    check::messages(t.ui, {});
    EXPECT_TRUE(fixture::entriesOf(here.path()).isEmpty());

    t.ui.answerText(QStringLiteral("  ２０２４年　"));
    child<QPushButton>(f, "Command1")->click();
    check::messages(t.ui, {{QStringLiteral("新規フォルダーは作成されました"), QStringLiteral("終了"), Icon::Information}});
    EXPECT_TRUE(QFileInfo(here.filePath(QStringLiteral("２０２４年"))).isDir());
    EXPECT_EQ(f.browser().path(), QDir::cleanPath(here.path()));

    // The same name again, blanks only, and names that are not one plain folder.
    for (const QString& name : {QStringLiteral("２０２４年"), QStringLiteral("   "), QStringLiteral("a/b"),
                                QStringLiteral("/tmp"), QStringLiteral(".."), QStringLiteral("."), QStringLiteral("x\ty")}) {
        t.ui.answerText(name);
        child<QPushButton>(f, "Command1")->click();
        check::messages(t.ui, {{kFolderError, QStringLiteral("Error"), Icon::Critical}});
    }
    EXPECT_EQ(fixture::entriesOf(here.path()), QStringList({"２０２４年"}));
}

TEST(Form12a, DriveListMovesTheTreeAndRefusesADriveThatCannotBeRead)
{
    TestApp t;
    const QStringList roots = FolderBrowser::driveRoots();
    ASSERT_FALSE(roots.isEmpty());
    EXPECT_EQ(roots.first(), QStringLiteral("/"));

    QTemporaryDir here;
    Form12a f(t.app);
    f.browser().setPath(here.path());
    person::choose(child<QComboBox>(f, "Drive1"), 0);
    EXPECT_EQ(f.browser().path(), QStringLiteral("/"));
    check::messages(t.ui, {});

    // Backing up to the root shows it with one separator; cancelled here.
    t.ui.answer(Answer::Cancel);
    child<QPushButton>(f, "Command2")->click();
    check::messages(t.ui, {fixture::backupConfirmation(QStringLiteral("/"))});

    child<QComboBox>(f, "Drive1")->addItem(QStringLiteral("/no/such/volume"));
    person::choose(child<QComboBox>(f, "Drive1"), child<QComboBox>(f, "Drive1")->count() - 1);
    check::messages(t.ui, {{QStringLiteral("ドライブ /no/such/volume を使用できません。装置の準備ができているか確認して下さい。"),
                            QStringLiteral("Error"), Icon::Critical}});
    EXPECT_EQ(child<QComboBox>(f, "Drive1")->currentIndex(), 0);
    EXPECT_EQ(f.browser().path(), QStringLiteral("/"));
}

TEST(FileCopy, JoinsWithExactlyOneSeparator)
{
    EXPECT_EQ(filecopy::join(QStringLiteral("/"), QStringLiteral("Tanzo.mdb")), QStringLiteral("/Tanzo.mdb"));
    EXPECT_EQ(filecopy::join(QStringLiteral("/home/a"), QStringLiteral("Tanzo.mdb")), QStringLiteral("/home/a/Tanzo.mdb"));
    EXPECT_EQ(filecopy::join(QStringLiteral("/home/a/"), QStringLiteral("x")), QStringLiteral("/home/a/x"));
}

TEST(Form12a, TheFolderTreeOpensOnItsStartingFolderExpandedAndInView)
{
    TestApp t;
    QTemporaryDir top;
    const QString start = QDir::cleanPath(top.filePath(QStringLiteral("a/b/c")));
    ASSERT_TRUE(QDir().mkpath(start));
    const QString before = QDir::currentPath();
    QDir::setCurrent(start);
    Form12a f(t.app);
    QDir::setCurrent(before);
    f.show();

    // The folders are read in the background; the tree stays on the starting folder meanwhile.
    auto* model = qobject_cast<QFileSystemModel*>(child<QTreeView>(f, "Dir1")->model());
    ASSERT_NE(model, nullptr);
    for (int i = 0; i < 50; ++i) QTest::qWait(20);
    const QModelIndex current = child<QTreeView>(f, "Dir1")->currentIndex();
    EXPECT_EQ(model->filePath(current), start);
    EXPECT_TRUE(child<QTreeView>(f, "Dir1")->selectionModel()->isSelected(current));
    for (QModelIndex up = current.parent(); up.isValid() && up != child<QTreeView>(f, "Dir1")->rootIndex(); up = up.parent())
        EXPECT_TRUE(child<QTreeView>(f, "Dir1")->isExpanded(up)) << model->filePath(up).toStdString();
    const QRect r = child<QTreeView>(f, "Dir1")->visualRect(current);
    EXPECT_TRUE(child<QTreeView>(f, "Dir1")->viewport()->rect().contains(r)) << "row at " << r.y() << " of " << child<QTreeView>(f, "Dir1")->viewport()->height();
    f.hide();
}
