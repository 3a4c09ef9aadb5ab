#include "Builders.h"
#include "Find.h"
#include "TestApp.h"
#include "app/Form1.h"
#include "platform/ui/ProgramFont.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/Twips.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

// How far below the menu bar a control of a list window stands, in twips: the client area
// starts under the menu bar, and its top band is the tool bar.
int topInClient(QMainWindow& w, const char* name)
{
    QWidget* c = child<QWidget>(w, QString::fromLatin1(name));
    if (!c) return -1;
    const int below = c->mapTo(&w, QPoint()).y() - (w.menuBar()->geometry().bottom() + 1);
    return pixelsToTwipsY(w, below);
}

// Within a pixel's twips of where it should be.
void expectTop(QMainWindow& w, const char* name, int twips)
{
    EXPECT_NEAR(topInClient(w, name), twips, 15) << w.objectName().toStdString() << " " << name;
}

// Nothing of a control lies under the tool bar, and its text fits its width.
void expectClear(QMainWindow& w, const char* name)
{
    auto* label = child<QLabel>(w, QString::fromLatin1(name));
    auto* bar = child<QToolBar>(w, QStringLiteral("Toolbar1"));
    ASSERT_NE(label, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_GE(label->mapTo(&w, QPoint()).y(), bar->mapTo(&w, QPoint(0, bar->height())).y())
        << w.objectName().toStdString() << " " << name;
    EXPECT_LE(label->sizeHint().width(), label->width()) << w.objectName().toStdString() << " " << name;
}

void expectTextFits(QWidget& w, const char* name)
{
    auto* label = child<QLabel>(w, QString::fromLatin1(name));
    ASSERT_NE(label, nullptr);
    EXPECT_LE(label->sizeHint().width(), label->width())
        << w.objectName().toStdString() << " " << name << " 「" << label->text().toStdString() << "」 is cut";
}

// The program's own font while it lives.
struct InProgramFont {
    InProgramFont() { QApplication::setFont(programFont()); }
    ~InProgramFont() { QApplication::setFont(before); }
    const QFont before = QApplication::font();
};

}  // namespace

// The two record lists stand where their twips put them, counted from the top of the client
// area with the tool bar in it; the print confirmation and the field-name list show every
// caption and heading whole.
TEST(WindowGeometry, ListsStandAtTheirTwipsAndNoCaptionOrHeadingIsCut)
{
    InProgramFont font;
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0,
                      {{QStringLiteral("品名"), QStringLiteral("TEXT")},
                       {QStringLiteral("価格"), QStringLiteral("CURRENCY")},
                       {QStringLiteral("発売日"), QStringLiteral("DATE")}});
    build::defineSub(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}, {QStringLiteral("秒"), QStringLiteral("LONG")}});
    build::addMainRow(t.app, 0, {QStringLiteral("海の歌"), "1500", "2024/03/05"}, 1);
    build::addSubRow(t.app, 0, {QStringLiteral("一曲目"), "245"}, 1, 1);
    Form1 main(t.app);
    ASSERT_TRUE(main.start());

    bool sawLists = false, sawConfirmation = false;
    t.ui.onShow(QStringLiteral("Form5"), [&](QWidget& shown) {
        auto& w = static_cast<QMainWindow&>(shown);
        w.show();
        EXPECT_EQ(w.height(), 700);
        expectTop(w, "Toolbar1", 0);
        expectTop(w, "ListView1", 1485 + 315 * 3);
        expectTop(w, "Text1_0", 1170);
        expectClear(w, "Label1");
        // The last detail row ends above the list.
        EXPECT_LT(topInClient(w, "Text1_2") + 300, topInClient(w, "ListView1"));

        t.ui.onShow(QStringLiteral("Form5ps"), [&](QWidget& d) {
            child<QRadioButton>(d, QStringLiteral("Option3_0"))->click();
            child<QPushButton>(d, QStringLiteral("Command5"))->click();
            t.ui.onShow(QStringLiteral("Form5pp"), [&](QWidget& c) {
                sawConfirmation = true;
                for (const char* label : {"Label5", "Label6", "Label7", "Label11", "Label19"}) expectTextFits(c, label);
                EXPECT_LT(child<QLabel>(c, QStringLiteral("Label5"))->geometry().right(),
                          child<QLabel>(c, QStringLiteral("Label6"))->geometry().left());
                EXPECT_LE(child<QLabel>(c, QStringLiteral("Label6"))->geometry().right(), c.width());
            });
            for (QPushButton* b : d.findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("印刷設定状況確認")) b->click();
        });
        child<QAction>(w, QStringLiteral("mf15"))->trigger();

        t.ui.onShow(QStringLiteral("Form6"), [&](QWidget& shownSub) {
            auto& s = static_cast<QMainWindow&>(shownSub);
            s.show();
            sawLists = true;
            EXPECT_EQ(s.height(), 700);
            expectTop(s, "Toolbar1", 0);
            expectTop(s, "ListView1", 2325 + 315 * 2);
            expectTop(s, "Label8", 2085 + 315 * 2);
            expectTop(s, "Text1_0", 1920);
            expectClear(s, "Label1");
            expectClear(s, "Label7");
            EXPECT_LT(topInClient(s, "Text1_1") + 300, topInClient(s, "Label8"));
            EXPECT_LT(topInClient(s, "Text2") + 315, topInClient(s, "Text1_0"));
        });
        child<QPushButton>(w, QStringLiteral("Command1"))->click();
    });
    child<QPushButton>(main, QStringLiteral("Command1_0"))->click();
    EXPECT_TRUE(sawLists);
    EXPECT_TRUE(sawConfirmation);

    // One file of three fields: the columns of the fields no file has are as wide as their
    // headings.
    t.ui.onShow(QStringLiteral("Form13c"), [](QWidget& w) {
        auto* list = child<ReportListView>(w, QStringLiteral("ListView1"));
        ASSERT_NE(list, nullptr);
        QHeaderView* header = list->horizontalHeader();
        ASSERT_EQ(header->count(), 9);
        for (int i = 0; i < header->count(); ++i) {
            const QString heading = list->model()->headerData(i, Qt::Horizontal).toString();
            EXPECT_GE(header->sectionSize(i), header->fontMetrics().horizontalAdvance(heading)) << heading.toStdString();
        }
    });
    child<QAction>(main, QStringLiteral("mkk3"))->trigger();
}
