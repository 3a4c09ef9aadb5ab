#pragma once
#include "Builders.h"
#include "Find.h"
#include "TestApp.h"
#include "core/App.h"
#include "platform/text/TextUtil.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "printing/Form5ps.h"
#include "printing/Form6ps.h"
#include "printing/ReportPrinter.h"

#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

// Category 3 "ＣＤ" with a main file of four fields and a sub file of two, and list views
// holding the rows a list window would show (formatted, with the padding the engine trims).
struct PrintSettingsFixture : ::testing::Test {
    static constexpr int kCategory = 2;

    PrintSettingsFixture()
    {
        build::nameCategory(t.app, kCategory, QStringLiteral("ＣＤ"));
        build::defineMain(t.app, kCategory,
                          {{QStringLiteral("タイトル"), QStringLiteral("TEXT")},
                           {QStringLiteral("アーティスト"), QStringLiteral("TEXT")},
                           {QStringLiteral("価格"), QStringLiteral("CURRENCY")},
                           {QStringLiteral("発売日"), QStringLiteral("DATE")}});
        build::defineSub(t.app, kCategory,
                         {{QStringLiteral("曲名"), QStringLiteral("TEXT")}, {QStringLiteral("時間"), QStringLiteral("LONG")}});

        for (const char* c : {"タイトル", "アーティスト", "価格", "発売日", "登録ＮＯ"}) rows.addColumn(QString::fromUtf8(c), 1500);
        rows.addRows({{QStringLiteral("  夜の歌  "), QStringLiteral("ＡＢ"), QStringLiteral("¥1,200"), QStringLiteral("2024/03/05"), "1"},
                      {QStringLiteral("Morning Glory Extended Edition"), QStringLiteral("山田太郎と仲間たち"),
                       QStringLiteral("¥12,345"), QStringLiteral("2023/12/31"), "2"},
                      {QStringLiteral("x"), QString(), QString(), QString(), "3"}});

        for (const char* c : {"曲名", "時間", "登録ＮＯ", "サブＮＯ"}) subRows.addColumn(QString::fromUtf8(c), 1500);
        subRows.addRows({{QStringLiteral("一曲目のとても長い曲名です"), "245", "2", "1"}, {QStringLiteral("B"), "31", "2", "2"}});

        for (const char* c : {"タイトル", "アーティスト", "価格", "発売日", "登録ＮＯ"}) mainRow.addColumn(QString::fromUtf8(c), 1500);
        mainRow.addRows({{QStringLiteral(" Morning Glory "), QStringLiteral("山田太郎 "), QStringLiteral("¥12,345"),
                          QStringLiteral("2023/12/31"), "2"}});
    }

    // A printed length as the layout rounds it, in the printer's current font.
    int mm(const QString& s) const { return static_cast<int>(text::roundHalfEven(t.printer.textWidth(text::Trim(s)))); }

    // Moves fields to the printed list with "選択　＞", in the order given.
    static void choose(PrintSettingsDialog& d, const QStringList& names)
    {
        for (const QString& name : names) {
            const auto found = child<QListWidget>(d, "List1")->findItems(name, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << name.toStdString();
            child<QListWidget>(d, "List1")->setCurrentItem(found[0]);
            child<QPushButton>(d, "Command1")->click();
        }
    }

    // The 印刷 of the main list and of the main-and-sub list, with their settings windows.
    bool printMain(PrintJob::Destination where = PrintJob::Destination::Printer)
    {
        QWidget window;
        return ReportPrinter::runMainPrint(t.app, kCategory, window, &status, rows, [this] { Form5ps::run(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status); },
            where);
    }
    bool printSub()
    {
        QWidget window;
        return ReportPrinter::runSubPrint(t.app, kCategory, window, &status, mainRow, subRows, [this] {
            Form6ps::run(t.app, kCategory, subRows, mainRow, QStringLiteral("ＣＤ (サブ明細)"), &status);
        });
    }

    static QStringList texts(const QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }

    TestApp t;
    ReportListView rows;     // the main list's ListView1
    ReportListView subRows;  // the sub list's ListView1
    ReportListView mainRow;  // the sub list's ListView2
    StatusBar3 status;
};
