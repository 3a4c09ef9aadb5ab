#include "platform/ui/QtTranslations.h"
#include "platform/ui/QtUi.h"

#include <QApplication>
#include <QDir>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QInputDialog>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

TEST(QtTranslations, QtsOwnDialogsSpeakJapaneseAndTheFontDialogStartsAtTheGivenFont)
{
    ASSERT_TRUE(installQtTranslations(*qApp));

    QInputDialog box;
    box.setLabelText(QStringLiteral("コード"));
    box.show();
    auto* buttons = box.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    box.hide();

    // The font dialog opens on the face the settings' font name stands for, at its size.
    QtUi ui;
    QFont shown;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
            shown = dialog->currentFont();
            dialog->reject();
        }
    });
    EXPECT_FALSE(ui.chooseFont(Ui::FontSpec{QStringLiteral("ＭＳ ゴシック"), 12, false, false}).has_value());
    EXPECT_EQ(shown.family(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(shown.pointSizeF(), 12);
}
