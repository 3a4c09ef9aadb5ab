#include "platform/ui/QtUi.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(QtUi, ReturnInADialogWithoutADefaultButtonPressesNoButtonButTheFocusedOne)
{
    QtUi ui;
    QDialog dialog;
    auto* box = new QLineEdit(&dialog);
    auto* store = new QPushButton(QStringLiteral("登録"), &dialog);
    auto* back = new QPushButton(QStringLiteral("戻る"), &dialog);
    int stored = 0;
    int closed = 0;
    QObject::connect(store, &QPushButton::clicked, [&] { ++stored; });
    QObject::connect(back, &QPushButton::clicked, [&] {
        ++closed;
        dialog.reject();
    });
    box->setFocus();

    QTimer::singleShot(0, [&] {
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(stored, 0);
        EXPECT_TRUE(dialog.isVisible());
        // Once shown, a button with the focus still takes Return.
        QTimer::singleShot(0, [&] {
            back->setFocus();
            QTest::keyClick(back, Qt::Key_Return);
        });
    });
    QTimer::singleShot(5000, &dialog, &QDialog::reject);  // never left waiting
    ui.showModal(dialog);
    EXPECT_EQ(stored, 0);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(QtUi, ReturnInADialogWithADefaultButtonPressesIt)
{
    QtUi ui;
    QDialog dialog;
    auto* box = new QLineEdit(&dialog);
    auto* ok = new QPushButton(QStringLiteral("Ｏ　Ｋ"), &dialog);
    new QPushButton(QStringLiteral("キャンセル"), &dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    box->setFocus();
    QTimer::singleShot(0, [&] { QTest::keyClick(box, Qt::Key_Return); });
    QTimer::singleShot(5000, &dialog, &QDialog::reject);  // never left waiting
    ui.showModal(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
