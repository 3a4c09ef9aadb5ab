#include "../lists/ListFixture.h"
#include "Find.h"
#include "Person.h"
#include "core/ColumnNameCheck.h"
#include "core/RecordStore.h"
#include "csv/CsvImportDialog.h"
#include "lists/Form5.h"
#include "lists/Form6.h"
#include "platform/text/CsvFile.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QAction* menuItem(QWidget& window, const char* name)
{
    auto* menu = window.findChild<QMenu*>(QStringLiteral("mf1"));
    if (!menu) return nullptr;
    person::openMenu(menu);
    for (QAction* a : menu->actions())
        if (a->objectName() == QLatin1String(name)) return a;
    return nullptr;
}

const std::vector<FieldDefinition> kCdFields = {{QStringLiteral("品名"), QStringLiteral("TEXT")},
                                                {QStringLiteral("価格"), QStringLiteral("CURRENCY")},
                                                {QStringLiteral("発売日"), QStringLiteral("DATE")},
                                                {QStringLiteral("枚数"), QStringLiteral("LONG")},
                                                {QStringLiteral("分類"), QStringLiteral("CODE1")}};

// The user fields of every row of a table, in table order, each as its kind and text.
QList<QStringList> storedRows(TestApp& t, const QString& table, int fields)
{
    QList<QStringList> out;
    Database db = t.db();
    for (Recordset rs = db.openTable(table); !rs.eof(); rs.moveNext()) {
        QStringList row;
        for (int k = 0; k < fields; ++k) {
            const Value v = rs.field(k);
            row << QStringLiteral("%1:%2").arg(int(v.kind())).arg(v.toString());
        }
        out << row;
    }
    return out;
}

QList<qint64> numbers(TestApp& t, const QString& table, const QString& column)
{
    QList<qint64> out;
    Database db = t.db();
    for (Recordset rs = db.openTable(table); !rs.eof(); rs.moveNext()) out << rs.field(column).toInt();
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The person picks the file and takes it in as the dialog proposes; `look` sees the dialog.
void takeIn(TestApp& t, QWidget& window, const QString& path, std::function<void(QWidget&)> look = {})
{
    t.ui.answerText(path);
    t.ui.onShow("CsvImportDialog", [look](QWidget& d) {
        if (look) look(d);
        child<QPushButton>(d, "OkButton")->click();
    });
    QAction* item = menuItem(window, "mf17");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("CSVファイルから取込(&I)..."));
    item->trigger();
}

}  // namespace

TEST(CsvImport, AnExportedListComesBackAsItWasInBothEncodings)
{
    TestApp t;
    CdCategory cd(t);
    build::addCode(t.app, 1, QStringLiteral("ZZ"), QStringLiteral("その他"));
    build::addMainRow(t.app, 0, {QStringLiteral("Say \"hi\", again"), "1500", "2024/01/02", "3", "PO"}, 4);
    build::addMainRow(t.app, 0, {QStringLiteral("ｱﾋﾞｲ・ロード ﾊﾟﾊﾟ"), "0", QString(), QString(), QString()}, 5);
    build::addMainRow(t.app, 0, {QStringLiteral("  前後に空白  "), "-20", "1999/12/31", "-7", "ZZ"}, 6);
    build::addMainRow(t.app, 0, {QString(), QString(), QString(), QString(), QString()}, 7);
    // Amounts with a fraction of a yen, texts a spreadsheet would take for formulas.
    build::addMainRow(t.app, 0, {QStringLiteral("=HYPERLINK(\"http://example.invalid/\",\"x\")"), "1234.5", QString(), "-3", "PO"}, 8);
    build::addMainRow(t.app, 0, {QStringLiteral("'=引用符"), "-0.25", QString(), QString(), QString()}, 9);
    const QString source = t.app.cache.row(0).mainTableName;
    const int fields = int(kCdFields.size());
    QTemporaryDir dir;

    for (const bool shiftJis : {false, true}) {
        SCOPED_TRACE(shiftJis ? "Shift-JIS" : "UTF-8");
        // The wave dash, in Shift-JIS as the full-width tilde that code page holds for it.
        if (shiftJis) {
            Database db = t.db();
            Recordset rs = db.openTable(source);
            while (rs.field(schema::kRegistrationNoColumn).toInt() != 10) rs.moveNext();
            rs.deleteCurrent();
        }
        // The lowest amount there is, to its last unit.
        build::addMainRow(t.app, 0, {shiftJis ? QStringLiteral("波～線") : QStringLiteral("波〜線"), "-922,337,203,685,477.5808", QString(), QString(), QString()}, 10);
        const QList<QStringList> original = storedRows(t, source, fields);
        ASSERT_EQ(original.size(), 10);
        EXPECT_TRUE(original.last().at(1).endsWith(QStringLiteral(":-922337203685477.5808"))) << original.last().at(1).toStdString();
        const int target = shiftJis ? 2 : 1;
        build::nameCategory(t.app, target, QStringLiteral("写し%1").arg(target));
        build::defineMain(t.app, target, kCdFields);

        const QString path = dir.filePath(QStringLiteral("cd%1.csv").arg(target));
        {
            Form5 list(t.app);
            t.ui.answerText(path);
            t.ui.answer(shiftJis ? Ui::Answer::No : Ui::Answer::Yes);
            menuItem(list, "mfcsv")->trigger();
        }

        Form5 copy(t.app, openAs(t.app, target, 0));
        EXPECT_EQ(child<ReportListView>(copy, "ListView1")->rowCount(), 0);
        takeIn(t, copy, path, [&](QWidget& d) {
            EXPECT_EQ(child<QComboBox>(d, "Encoding")->currentText(), shiftJis ? "Shift-JIS" : "UTF-8");
            const QString columns = child<QLabel>(d, "Columns")->text();
            EXPECT_TRUE(columns.contains(QStringLiteral("取り込まない列：登録ＮＯ"))) << columns.toStdString();
            EXPECT_TRUE(columns.contains(QStringLiteral("10 件"))) << columns.toStdString();
            // The names are shown on one line each, their column as wide as the longest.
            auto* preview = child<QTableWidget>(d, "Preview");
            int widest = 0;
            for (int r = 0; r < preview->rowCount(); ++r)
                if (preview->item(r, 0)) widest = std::max(widest, preview->fontMetrics().horizontalAdvance(preview->item(r, 0)->text()));
            EXPECT_GT(widest, 100);
            EXPECT_GE(preview->columnWidth(0), std::min(widest, CsvImportDialog::kWidestColumn));
            EXPECT_FALSE(preview->wordWrap());
            // F1 asks for the dialog's own help page.
            QTest::keyClick(child<QComboBox>(d, "Encoding"), Qt::Key_F1);
            ASSERT_FALSE(t.ui.calls().empty());
            EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));
            EXPECT_EQ(t.ui.calls().back().text, QStringLiteral("CsvImportDialog"));
        });
        EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("CSVファイルから取り込みました。\r\n10 件"));
        // The CSV dialogs open where the last CSV file was chosen in this run (the home folder
        // at first), so the file just written is at hand.
        auto lastDialog = [&](const char* kind) {
            const auto& calls = t.ui.calls();
            const auto it = std::find_if(calls.rbegin(), calls.rend(), [&](const auto& c) { return c.kind == QLatin1String(kind); });
            return it == calls.rend() ? QString() : it->text;
        };
        EXPECT_EQ(lastDialog("chooseSaveFile"),
                  (shiftJis ? QDir(dir.path()) : QDir::home()).filePath(QStringLiteral("種目別メイン明細.csv")));
        EXPECT_EQ(lastDialog("chooseOpenFile"), dir.path());
        EXPECT_EQ(storedRows(t, t.app.cache.row(target).mainTableName, fields), original);
        EXPECT_EQ(numbers(t, t.app.cache.row(target).mainTableName, schema::kRegistrationNoColumn),
                  QList<qint64>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        EXPECT_EQ(t.stored().row(target).lastRegistrationNo, 10);
        EXPECT_EQ(child<ReportListView>(copy, "ListView1")->rowCount(), 10);  // the list read its rows again
        EXPECT_EQ(t.ui.pendingReplies(), 0);
    }
}

TEST(CsvImport, OneBadRowAmongAThousandStoresNothingAndIsNamed)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    const QString table = t.app.cache.row(0).mainTableName;
    QTemporaryDir dir;

    // Headings trimmed and of the other width still find their fields; a column no field
    // takes is named and left out.
    QString text = QStringLiteral(" 品名 ,価格,発売日,枚数,ﾒﾓ,分類\r\n");
    for (int r = 1; r <= 1000; ++r)
        text += QStringLiteral("曲%1,\"¥1,%2\",%3,%1,x,PO\r\n")
                    .arg(r)
                    .arg(r % 1000, 3, 10, QLatin1Char('0'))
                    .arg(r == 537 ? QStringLiteral("2024/02/30") : QStringLiteral("2024/02/29"));
    const QString path = dir.filePath(QStringLiteral("many.csv"));
    writeFile(path, text.toUtf8());
    takeIn(t, w, path, [](QWidget& d) {
        const QString columns = child<QLabel>(d, "Columns")->text();
        EXPECT_TRUE(columns.contains(QStringLiteral("品名 ← 「 品名 」"))) << columns.toStdString();
        EXPECT_TRUE(columns.contains(QStringLiteral("取り込まない列：ﾒﾓ"))) << columns.toStdString();
    });
    QString message = t.ui.lastMessage();
    EXPECT_TRUE(message.startsWith(QStringLiteral("取り込めない行があります。何も取り込んでいません。"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("537 行目「発売日」：発売日が相違しています。"))) << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("536 行目"))) << message.toStdString();
    EXPECT_EQ(numbers(t, table, schema::kRegistrationNoColumn), QList<qint64>({1, 2, 3}));
    EXPECT_EQ(t.stored().row(0).lastRegistrationNo, 3);

    // A line end inside a quoted cell is a control character; a text over 50 bytes, a code of
    // the wrong length and one not registered are refused too. Rows are counted as records.
    const QString more = QStringLiteral("品名,枚数,分類\r\n"
                                        "良い,1,PO\r\n"
                                        "\"一行目\r\n二行目\",2,PO\r\n"
                                        "%1,3,P\r\n"
                                        "良い,4,QQ\r\n"
                                        "良い,五,PO\r\n")
                             .arg(QString(26, QChar(0x3042)));
    writeFile(path, more.toUtf8());
    takeIn(t, w, path);
    message = t.ui.lastMessage();
    for (const QString& named : {QStringLiteral("2 行目「品名」：品名に制御文字"),
                                 QStringLiteral("3 行目「品名」：入力したテキストの桁数が長がすぎます。"),
                                 QStringLiteral("3 行目「分類」：コードの桁数が相違しています。"),
                                 QStringLiteral("4 行目「分類」：QQ  コードが相違しています。"),
                                 QStringLiteral("5 行目「枚数」：枚数が相違しています。")})
        EXPECT_TRUE(message.contains(named)) << named.toStdString() << "\n" << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("1 行目"))) << message.toStdString();
    EXPECT_EQ(numbers(t, table, schema::kRegistrationNoColumn), QList<qint64>({1, 2, 3}));
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 3);
}

TEST(CsvImport, SubRowsNeedTheirMainRecordAndTakeTheNextSubNumbers)
{
    TestApp t;
    CdCategory cd(t);
    build::defineSub(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}, {QStringLiteral("時間"), QStringLiteral("LONG")}});
    build::addSubRow(t.app, 0, {QStringLiteral("一曲目"), "245"}, 1, 4);
    ListRequest shown = openAs(t.app, 0, 0);
    shown.registrationNo = 1;
    Form6 w(t.app, shown);
    ASSERT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 1);
    const QString table = t.app.cache.row(0).subTableName;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("subs.csv"));

    // Without the registration number nothing can be tied to a main record.
    writeFile(path, QStringLiteral("曲名,時間\r\n曲,1\r\n").toUtf8());
    takeIn(t, w, path);
    EXPECT_TRUE(t.ui.lastMessage().startsWith(QStringLiteral("登録ＮＯ の列がありません。"))) << t.ui.lastMessage().toStdString();

    writeFile(path, QStringLiteral("曲名,時間,登録NO,サブＮＯ\r\n二曲目,200,1,9\r\n他の曲,100,2,9\r\n迷子,50,99,9\r\n").toUtf8());
    takeIn(t, w, path);
    EXPECT_TRUE(t.ui.lastMessage().contains(QStringLiteral("3 行目「登録ＮＯ」：登録ＮＯ 99 の明細レコードがありません。")))
        << t.ui.lastMessage().toStdString();
    EXPECT_EQ(numbers(t, table, schema::kSubNoColumn), QList<qint64>({4}));

    writeFile(path, QStringLiteral("曲名,時間,登録NO,サブＮＯ\r\n二曲目,200,1,9\r\n他の曲,100,2,9\r\n三曲目,50,1,9\r\n").toUtf8());
    takeIn(t, w, path);
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("CSVファイルから取り込みました。\r\n3 件"));
    EXPECT_EQ(numbers(t, table, schema::kRegistrationNoColumn), QList<qint64>({1, 1, 2, 1}));
    EXPECT_EQ(numbers(t, table, schema::kSubNoColumn), QList<qint64>({4, 5, 1, 6}));
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 3);
    // A new sub record of the shown main record goes on after them.
    EXPECT_EQ(RecordStore(t.app.cache).nextSubNo(0, 1), 7);

    // The list keeps its place among the rows taken in.
    person::clickRow(child<ReportListView>(w, "ListView1"), 2);
    writeFile(path, QStringLiteral("曲名,時間,登録NO\r\n四曲目,70,1\r\n").toUtf8());
    takeIn(t, w, path);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 4);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->selectedIndex(), 2);
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QStringLiteral("6"));
    EXPECT_EQ(t.ui.pendingReplies(), 0);
}

namespace {

// The texts status panel 3 is painted with.
struct PanelWatch : QObject {
    explicit PanelWatch(QLabel* panel) { panel->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) painted << static_cast<QLabel*>(o)->text();
        return false;
    }
    QStringList painted;
};

}  // namespace

TEST(CsvImport, OnlyARegularFileWithinTheLimitIsReadAndTheReadingShowsItsProgress)
{
    TestApp t;
    CdCategory cd(t);
    build::setReadProgress(t.app, true);
    Form5 w(t.app, openAs(t.app, 0, 0));
    w.show();
    QApplication::processEvents();  // shown, so panel 3 is painted as it changes
    QTemporaryDir dir;
    // A pipe is never opened: opening it would wait for a writer and this test would not end.
    const QString pipe = dir.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString huge = dir.filePath(QStringLiteral("huge.csv"));
    QFile(huge).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile(huge).resize(CsvFile::kMaxReadBytes + 1));  // sparse: no room taken
    const QString notAFile = QStringLiteral("は通常のファイルではないため、取り込めません。");
    for (const auto& [path, says] : {std::pair{pipe, notAFile}, {QStringLiteral("/dev/zero"), notAFile}, {dir.path(), notAFile},
                                     {huge, QStringLiteral("は 256 MB を超えるため、取り込めません。")}}) {
        t.ui.answerText(path);
        menuItem(w, "mf17")->trigger();
        EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("CSVファイル「%1」").arg(path) + says);
    }
    EXPECT_FALSE(t.ui.shownWindows().contains(QStringLiteral("CsvImportDialog")));

    // A file of a megabyte fills the cells of panel 3 while it is read, before the look at it.
    writeFile(dir.filePath(QStringLiteral("big.csv")), QByteArray("a,b\r\n").repeated(256 * 1024));
    PanelWatch watch(child<StatusBar3>(w, "StatusBar1")->panel(3));
    QStringList beforeTheLook;
    t.ui.answerText(dir.filePath(QStringLiteral("big.csv")));
    t.ui.onShow("CsvImportDialog", [&](QWidget& d) {
        beforeTheLook = watch.painted;
        child<QPushButton>(d, "CancelButton")->click();
    });
    menuItem(w, "mf17")->trigger();
    EXPECT_TRUE(std::any_of(beforeTheLook.begin(), beforeTheLook.end(), [](const QString& s) {
        return s.startsWith(QStringLiteral("CSV取込中　■")) && s.endsWith(QStringLiteral("□"));  // partly filled
    })) << beforeTheLook.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(numbers(t, t.app.cache.row(0).mainTableName, schema::kRegistrationNoColumn), QList<qint64>({1, 2, 3}));
}
