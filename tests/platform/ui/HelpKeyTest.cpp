#include "ScriptedUi.h"
#include "platform/ui/HelpKey.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The windows the help was asked for, in order.
QStringList helpsAskedFor(const ScriptedUi& ui)
{
    QStringList out;
    for (const auto& call : ui.calls())
        if (call.kind == QLatin1String("help")) out << call.text;
    return out;
}

// A box that takes every key for itself, as some controls do.
struct GreedyBox : QLineEdit {
    using QLineEdit::QLineEdit;
    int keysSeen = 0;
    void keyPressEvent(QKeyEvent* e) override
    {
        ++keysSeen;
        e->accept();
    }
};

}  // namespace

TEST(HelpKey, F1OnAnyControlOfTheWindowAsksForItsHelpAndOtherKeysStillType)
{
    ScriptedUi ui;
    QDialog window;
    window.setObjectName(QStringLiteral("Probe"));
    auto* edit = new QLineEdit(&window);
    auto* note = new QPlainTextEdit(&window);
    auto* greedy = new GreedyBox(&window);
    installHelpKey(window, ui);
    window.show();
    edit->setFocus();

    QTest::keyClick(edit, Qt::Key_F1);
    EXPECT_EQ(helpsAskedFor(ui), QStringList({"Probe"}));
    QTest::keyClicks(edit, QStringLiteral("ab"));
    EXPECT_EQ(edit->text(), QStringLiteral("ab"));

    QTest::keyClick(note, Qt::Key_F1);
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(helpsAskedFor(ui), QStringList({"Probe", "Probe", "Probe"}));
    EXPECT_TRUE(note->toPlainText().isEmpty());

    // A control that would take the key never sees F1; it still gets the others.
    QTest::keyClick(greedy, Qt::Key_F1);
    EXPECT_EQ(greedy->keysSeen, 0);
    EXPECT_EQ(helpsAskedFor(ui).size(), 4);
    QTest::keyClick(greedy, Qt::Key_A);
    EXPECT_EQ(greedy->keysSeen, 1);
    EXPECT_EQ(helpsAskedFor(ui).size(), 4);
}

TEST(HelpKey, AWindowNotYetShownAnswersF1Too)
{
    ScriptedUi ui;
    QDialog window;
    window.setObjectName(QStringLiteral("Hidden"));
    auto* edit = new QLineEdit(&window);
    installHelpKey(window, ui);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(edit, &f1);
    EXPECT_EQ(helpsAskedFor(ui), QStringList({"Hidden"}));
}

TEST(HelpKey, EachWindowAnswersForItselfAndAClosedWindowNoLonger)
{
    ScriptedUi ui;
    auto outer = std::make_unique<QDialog>();
    outer->setObjectName(QStringLiteral("Outer"));
    auto* outerEdit = new QLineEdit(outer.get());
    installHelpKey(*outer, ui);

    // Dialogs opened over the window are windows of their own.
    auto* inner = new QDialog(outer.get());
    inner->setObjectName(QStringLiteral("Inner"));
    auto* innerEdit = new QLineEdit(inner);
    installHelpKey(*inner, ui);
    auto* plain = new QDialog(outer.get());
    auto* plainEdit = new QLineEdit(plain);

    QTest::keyClick(innerEdit, Qt::Key_F1);
    QTest::keyClick(outerEdit, Qt::Key_F1);
    QTest::keyClick(plainEdit, Qt::Key_F1);
    EXPECT_EQ(helpsAskedFor(ui), QStringList({"Inner", "Outer"}));

    // Once the window is gone its watcher is too: F1 elsewhere asks nothing of it.
    outer.reset();
    ui.clearLog();
    QDialog other;
    auto* otherEdit = new QLineEdit(&other);
    QTest::keyClick(otherEdit, Qt::Key_F1);
    EXPECT_TRUE(helpsAskedFor(ui).isEmpty());
}
