#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "platform/widgets/NamedControls.h"
#include "platform/widgets/Twips.h"

namespace {

// The control sits where the twips say, in the window's own resolution.
void expectPlaced(const QWidget& w, int left, int top, int width, int height)
{
    EXPECT_EQ(w.geometry(), QRect(twipsToPixelsX(w, left), twipsToPixelsY(w, top), twipsToPixelsX(w, width),
                                  twipsToPixelsY(w, height)))
        << w.objectName().toStdString();
}

}  // namespace

TEST(NamedControls, ControlsCarryTheirNamesAndTwipsPlaces)
{
    QWidget window;
    QFont base = window.font();
    base.setPointSizeF(10);
    window.setFont(base);

    QLabel* caption = NamedControls::label(&window, "Label3", QStringLiteral("種目："), 480, 2560, 1000);
    EXPECT_EQ(caption->objectName(), QStringLiteral("Label3"));
    EXPECT_EQ(caption->text(), QStringLiteral("種目："));
    expectPlaced(*caption, 480, 2560, 1000, 255);

    // Headings: a fixed size in points, or a size taken from the window's font.
    QLabel* heading = NamedControls::heading(&window, "Label1", QStringLiteral("ファイル設定"), 240, 120, 3000, 400);
    EXPECT_TRUE(heading->font().bold());
    EXPECT_DOUBLE_EQ(heading->font().pointSizeF(), 14);
    expectPlaced(*heading, 240, 120, 3000, 400);
    QLabel* title = NamedControls::heading(&window, "Label9", QStringLiteral("在庫管理"), 240, 120, 2400, 500, 20);
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 20);
    QLabel* scaled = NamedControls::scaledHeading(&window, "Label2", QStringLiteral("照　会"), 240, 100, 2000, 360, 1.3);
    EXPECT_TRUE(scaled->font().bold());
    EXPECT_DOUBLE_EQ(scaled->font().pointSizeF(), 13);
    EXPECT_FALSE(caption->font().bold());  // the others keep the window's font

    QLabel* warning = NamedControls::colouredNote(&window, "Label8", QStringLiteral("注意"), Qt::red, 360, 600, 6840, 600);
    EXPECT_TRUE(warning->wordWrap());
    EXPECT_EQ(warning->palette().color(QPalette::WindowText), QColor(Qt::red));

    QPlainTextEdit* note =
        NamedControls::note(&window, "Text1", {QStringLiteral("一行目"), QStringLiteral("　二行目")}, 240, 2040, 8880, 3000);
    EXPECT_EQ(note->toPlainText(), QStringLiteral("一行目\n　二行目"));
    EXPECT_TRUE(note->isReadOnly());
    EXPECT_EQ(note->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(note->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(note->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    QPushButton* ok = NamedControls::button(&window, "Command4", QStringLiteral("Ｏ　Ｋ"), 240, 6240, 1300);
    EXPECT_EQ(ok->text(), QStringLiteral("Ｏ　Ｋ"));
    expectPlaced(*ok, 240, 6240, 1300, 420);
    QGroupBox* frame = NamedControls::frame(&window, "Frame1", QStringLiteral("用 紙"), 240, 240, 3480, 1920);
    EXPECT_EQ(frame->title(), QStringLiteral("用 紙"));
    auto* inFrame = NamedControls::make<QLabel>(frame, "Option3_1", 360, 960, 6000, 315);
    EXPECT_EQ(inFrame->parentWidget(), frame);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Option3_1")), inFrame);
    expectPlaced(*inFrame, 360, 960, 6000, 315);
}

TEST(NamedControls, InputsAreNamedByTheLabelBesideThenThePromptThenTheColumnHeading)
{
    QWidget window;
    NamedControls::label(&window, "Heading", QStringLiteral("フィールド名称"), 240, 1000, 3000);
    NamedControls::colouredNote(&window, "Note", QStringLiteral("フィールドの数だけ入力する。"), Qt::red, 240, 1300,
                                6000, 500);
    QLabel* beside = NamedControls::label(&window, "Caption", QStringLiteral("コード名： "), 3400, 2000, 1200);
    auto* named = NamedControls::make<QLineEdit>(&window, "Text1", 4700, 1960, 3000, 330);
    auto* row = NamedControls::make<QLineEdit>(&window, "Text2", 240, 2800, 3000, 330);
    auto* picker = NamedControls::make<QComboBox>(&window, "Combo1", 240, 3300, 3000, 330);
    picker->setPlaceholderText(QStringLiteral("コード・テーブルを選択して下さい"));
    auto* own = NamedControls::make<QLineEdit>(&window, "Text3", 4700, 2400, 3000, 330);
    NamedControls::setAccessibleName(*own, QStringLiteral("品名"));

    NamedControls::nameInputs(window);
    EXPECT_EQ(named->accessibleName(), QStringLiteral("コード名"));
    EXPECT_EQ(beside->buddy(), named);
    EXPECT_EQ(picker->accessibleName(), QStringLiteral("コード・テーブルを選択して下さい"));
    // The long note between names nothing; the heading over the column does.
    EXPECT_EQ(row->accessibleName(), QStringLiteral("フィールド名称"));
    EXPECT_EQ(own->accessibleName(), QStringLiteral("品名"));

    // A label that changes renames what it named, at the next naming.
    beside->setText(QStringLiteral("コード"));
    NamedControls::nameInputs(window);
    EXPECT_EQ(named->accessibleName(), QStringLiteral("コード"));
}
