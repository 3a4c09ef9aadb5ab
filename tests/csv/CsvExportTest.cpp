#include "../lists/ListFixture.h"
#include "Find.h"
#include "csv/CsvExport.h"
#include "lists/Form10.h"
#include "lists/Form5.h"
#include "platform/text/CsvFile.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "records/Form9.h"
#include "records/Form9k.h"
#include "reports/Form13c.h"

#include <QPushButton>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QAction* exportItem(QWidget& window)
{
    auto* menu = window.findChild<QMenu*>(QStringLiteral("mf1"));
    if (!menu) return nullptr;
    person::openMenu(menu);
    for (QAction* a : menu->actions())
        if (a->objectName() == QLatin1String("mfcsv")) return a;
    return nullptr;
}

CsvFile::Table readBack(const QString& path, CsvFile::Encoding* encoding = nullptr)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    const CsvFile::Encoding enc = CsvFile::detect(bytes);
    if (encoding) *encoding = enc;
    return CsvFile::parse(CsvFile::decode(bytes, enc).value_or(QString())).rows;
}

// The list as a person sees it: headings, then the rows top to bottom.
CsvFile::Table shown(const ReportListView& list)
{
    CsvFile::Table out;
    QStringList headings;
    for (int c = 0; c < list.columnCount(); ++c) headings << list.columnCaption(c).trimmed();
    out << headings;
    for (int r = 0; r < list.rowCount(); ++r) out << rowTexts(list, r);
    return out;
}

// A Shift-JIS file shows the yen sign as byte 5C, which reads back as the backslash.
CsvFile::Table yenAsBackslash(CsvFile::Table table)
{
    for (QStringList& r : table)
        for (QString& v : r) v.replace(QChar(0x00A5), QLatin1Char('\\'));
    return table;
}

// The CD category with records whose values need quoting, kana of both widths, and one value
// Shift-JIS cannot hold.
void addAwkwardRows(TestApp& t)
{
    build::addMainRow(t.app, 0, {QStringLiteral("Say \"hi\", again"), "1500", "2024/01/02", "3", "PO"}, 4);
    build::addMainRow(t.app, 0, {QStringLiteral("一行目\r\n二行目"), "20", "2024/01/03", "1", QString()}, 5);
    build::addMainRow(t.app, 0, {QStringLiteral("ｱﾋﾞｲ・ロード"), "0", "2024/01/04", "2", QString()}, 6);
    build::addMainRow(t.app, 0, {QStringLiteral("Café"), "1", "2024/01/05", "1", QString()}, 7);
}

}  // namespace

TEST(CsvExport, WritesTheListAsShownAndNamesWhatShiftJisCannotHold)
{
    TestApp t;
    CdCategory cd(t);
    addAwkwardRows(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    ASSERT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 7);
    // Sorted by the name column, descending, as a column click leaves it.
    child<ReportListView>(w, "ListView1")->setSortKey(0);
    child<ReportListView>(w, "ListView1")->setSortOrder(Qt::DescendingOrder);
    child<ReportListView>(w, "ListView1")->setSorted(true);
    const CsvFile::Table expected = shown(*child<ReportListView>(w, "ListView1"));
    EXPECT_EQ(expected[0], QStringList({"品名", "価格", "発売日", "枚数", "分類", "登録ＮＯ"}));

    QAction* item = exportItem(w);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("CSVファイルに出力(&E)..."));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cd.csv"));

    // Shift-JIS: the cell it cannot hold is named by row and column, and "No" writes nothing.
    t.ui.answerText(path);
    t.ui.answer(Ui::Answer::No);  // Shift-JIS
    t.ui.answer(Ui::Answer::No);  // do not fall back to UTF-8
    item->trigger();
    EXPECT_FALSE(QFile::exists(path));
    int cafeRow = 0;
    for (int r = 1; r < expected.size(); ++r)
        if (expected[r][0] == QStringLiteral("Café")) cafeRow = r;
    const QString warning = t.ui.lastMessage();
    EXPECT_TRUE(warning.contains(QStringLiteral("Shift-JIS で表せない文字があります。"))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("%1 行目「品名」：Café").arg(cafeRow))) << warning.toStdString();
    EXPECT_EQ(t.ui.messages().back().buttons, Ui::Buttons::YesNo);
    EXPECT_EQ(t.ui.pendingReplies(), 0);

    // "Yes" writes UTF-8 instead: every row in the shown order, the headings first.
    t.ui.answerText(path);
    t.ui.answer(Ui::Answer::No);
    t.ui.answer(Ui::Answer::Yes);
    item->trigger();
    CsvFile::Encoding encoding = CsvFile::Encoding::Cp932;
    EXPECT_EQ(readBack(path, &encoding), expected);
    EXPECT_EQ(encoding, CsvFile::Encoding::Utf8);
    EXPECT_TRUE(t.ui.lastMessage().startsWith(QStringLiteral("CSVファイルに出力しました。\r\n7 件"))) << t.ui.lastMessage().toStdString();
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(3), QString());

    // Without the value Shift-JIS cannot hold the file is Shift-JIS.
    {
        Database db = t.db();
        Recordset rs = db.openTable(QStringLiteral("SHUMOKU1"));
        while (!rs.eof() && rs.field(0).toString() != QStringLiteral("Café")) rs.moveNext();
        ASSERT_FALSE(rs.eof());
        rs.deleteCurrent();
    }
    Form5 again(t.app);
    t.ui.answerText(path);
    t.ui.answer(Ui::Answer::No);
    exportItem(again)->trigger();
    EXPECT_EQ(readBack(path, &encoding), yenAsBackslash(shown(*child<ReportListView>(again, "ListView1"))));
    EXPECT_EQ(encoding, CsvFile::Encoding::Cp932);
    EXPECT_EQ(t.ui.pendingReplies(), 0);
}

TEST(CsvExport, CancellingOrAFolderThatCannotBeWrittenLeavesNoFile)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cd.csv"));

    t.ui.answerText(std::nullopt);  // the save dialog cancelled
    exportItem(w)->trigger();
    t.ui.answerText(path);
    t.ui.answer(Ui::Answer::Cancel);  // the encoding question cancelled
    exportItem(w)->trigger();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(t.ui.messages().size() == 1u);

    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/cd.csv"));
    t.ui.answerText(nowhere);
    t.ui.answer(Ui::Answer::Yes);
    exportItem(w)->trigger();
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("Error"));
    EXPECT_TRUE(t.ui.lastMessage().contains(QStringLiteral("に書き込めません"))) << t.ui.lastMessage().toStdString();
}

TEST(CsvExport, EveryListWindowOffersTheSameItem)
{
    TestApp t;
    CdCategory cd(t);
    QTemporaryDir dir;

    // The inquiry browser, the all-files search results and a management report.
    Form10 inquiry(t.app);
    inquiry.findChild<QAction*>(QStringLiteral("mf10_0"))->trigger();
    t.ui.onShow("Form9k", [](QWidget& w) {
        auto& d = dynamic_cast<Form9k&>(w);
        child<QLineEdit>(d, "Text1")->setText(QStringLiteral("abc"));
        child<QPushButton>(d, "Command1")->click();
    });
    Form9 hits(t.app);
    Form13c names(t.app);
    for (QWidget* w : std::initializer_list<QWidget*>{&inquiry, &hits, &names}) {
        QAction* item = exportItem(*w);
        ASSERT_NE(item, nullptr) << w->objectName().toStdString();
        auto* list = w->findChild<ReportListView*>(QStringLiteral("ListView1"));
        ASSERT_NE(list, nullptr);
        const QString path = dir.filePath(w->objectName() + QStringLiteral(".csv"));
        t.ui.answerText(path);
        t.ui.answer(Ui::Answer::No);
        item->trigger();
        const CsvFile::Table written = readBack(path);
        EXPECT_EQ(written, yenAsBackslash(shown(*list))) << w->objectName().toStdString();
        EXPECT_EQ(written.size(), list->rowCount() + 1);
        EXPECT_GE(list->rowCount(), 1) << w->objectName().toStdString();
    }
    EXPECT_EQ(t.ui.pendingReplies(), 0);
}

TEST(CsvExport, ShiftJisNamesTheCellsItWouldGiveBackChanged)
{
    TestApp t;
    CdCategory cd(t);
    // The full-width forms and the amounts' yen signs come back alike; the row of the wave
    // dash, minus sign, yen sign and double vertical line would not.
    build::addMainRow(t.app, 0, {QStringLiteral("波～線－＼∥"), "-20", "2024/01/03", "1", QString()}, 4);
    build::addMainRow(t.app, 0, {QStringLiteral("波〜線−¥‖"), "1500", "2024/01/02", "3", "PO"}, 5);
    Form5 w(t.app, openAs(t.app, 0, 0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cd.csv"));
    t.ui.answerText(path);
    t.ui.answer(Ui::Answer::No);  // Shift-JIS
    t.ui.answer(Ui::Answer::No);  // not UTF-8 either
    exportItem(w)->trigger();
    EXPECT_FALSE(QFile::exists(path));
    const QString warning = t.ui.lastMessage();
    EXPECT_TRUE(warning.startsWith(QStringLiteral("Shift-JIS で表せない文字があります。\r\n\r\n　5 行目「品名」：波〜線−¥‖\r\n\r\n")))
        << warning.toStdString();
    EXPECT_EQ(t.ui.messages().back().buttons, Ui::Buttons::YesNo);
    EXPECT_EQ(t.ui.pendingReplies(), 0);
}

TEST(CsvExport, TextsASpreadsheetWouldTakeForFormulasAreWrittenAfterAnApostrophe)
{
    TestApp t;
    CdCategory cd(t);
    build::addMainRow(t.app, 0, {QStringLiteral("=HYPERLINK(\"http://example.invalid/\",\"x\")"), "-20", "2024/01/02", "-7", "PO"}, 4);
    build::addMainRow(t.app, 0, {QStringLiteral("-1"), "-20", "2024/01/02", "-7", "PO"}, 5);
    Form5 w(t.app, openAs(t.app, 0, 0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cd.csv"));
    t.ui.answerText(path);
    t.ui.answer(Ui::Answer::Yes);
    exportItem(w)->trigger();
    // Only the texts get the apostrophe: amounts, numbers, dates and other texts are as shown.
    CsvFile::Table expected = shown(*child<ReportListView>(w, "ListView1"));
    expected[4][0].prepend(QLatin1Char('\''));
    expected[5][0].prepend(QLatin1Char('\''));
    EXPECT_EQ(expected[5], QStringList({"'-1", "-¥20", "2024/01/02", "-7", "PO", "5"}));
    EXPECT_EQ(readBack(path), expected);
}
