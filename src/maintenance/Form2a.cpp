#include "maintenance/Form2a.h"

#include "core/App.h"
#include "core/ColourSetting.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace {

// Settings cells of the system row (the type words of its fields 1..5).

const QString kWindowName = QStringLiteral("システム環境設定");

QLabel* sectionLabel(QWidget* parent, const char* name, const QString& caption, int top)
{
    QLabel* l = NamedControls::label(parent, name, caption, 240, top, 8000, 300);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QCheckBox* checkBox(QWidget* parent, const char* name, int left, int top)
{
    auto* c = NamedControls::make<QCheckBox>(parent, name, left, top, 1600, 300);
    c->setText(QStringLiteral("表示する"));
    return c;
}

}  // namespace

Form2a::Form2a(App& app) : app_(app), watch_(app.cache, [this] { Form_Load(); })
{
    setObjectName(QStringLiteral("Form2a"));
    installHelpKey(*this, app_.ui());
    setFixedSize(text::twipsToPixels(9600), text::twipsToPixels(6700));

    Label1 = NamedControls::heading(this, "Label1", kWindowName, 240, 120, 6000, 400);

    Label6 = sectionLabel(this, "Label6", QStringLiteral("１．システム・タイトル設定"), 700);
    Label2 = NamedControls::label(this, "Label2",
                                  QStringLiteral("このシステムの題名は「在庫管理」となっていますが、"
                                                 "使用目的に合わせて自由に変更できます。"),
                                  480, 1020, 8800, 500);
    Label2->setWordWrap(true);
    constexpr int kBoxLeft = 3300;
    Label3 = NamedControls::label(this, "Label3", QStringLiteral("タイトルの変更："), 480, 1640, 2700);
    Text1 = NamedControls::make<QLineEdit>(this, "Text1", kBoxLeft, 1600, 3300, 360);
    Text1->setText(QStringLiteral("在庫管理"));
    Text1->setMaxLength(255);  // a text cell of the management table
    Command4 = NamedControls::button(this, "Command4", QStringLiteral("設定"), 6800, 1580, 1200, 400);

    Label4 = NamedControls::label(this, "Label4", QStringLiteral("タイトル文字色の変更："), 480, 2200, 2700);
    Command1 = NamedControls::button(this, "Command1", QStringLiteral("色選定"), kBoxLeft, 2140, 1100, 400);
    Text2 = NamedControls::make<QLineEdit>(this, "Text2", kBoxLeft + 1250, 2160, 3950, 360);
    Text2->setReadOnly(true);
    Text2->setFocusPolicy(Qt::NoFocus);

    Label5 = NamedControls::label(this, "Label5", QStringLiteral("メイン画面の背景色の変更："), 480, 2760, 2700);
    Command2 = NamedControls::button(this, "Command2", QStringLiteral("色選定"), kBoxLeft, 2700, 1100, 400);
    Text3 = NamedControls::make<QLineEdit>(this, "Text3", kBoxLeft + 1250, 2720, 3950, 360);
    Text3->setReadOnly(true);
    Text3->setFocusPolicy(Qt::NoFocus);

    Label7 = sectionLabel(this, "Label7", QStringLiteral("２．処理の進捗状況を表示"), 3400);
    const QString slow = QStringLiteral("データ量が多くなると、ファイルの読込み・印刷の出力に時間を要します。");
    const QString progress = QStringLiteral("そのため、処理の進捗状況をプログレスバー形式で表示することが出来ます。");
    Label8 = NamedControls::label(this, "Label8", slow + QStringLiteral("　　　") + progress, 480, 3720, 8800, 560);
    Label8->setWordWrap(true);
    // The wide blanks end the first line: the label is only as wide as its longer sentence,
    // so the second sentence starts a line of its own.
    const QFontMetrics metrics(Label8->font());
    const int sentence = std::max(metrics.horizontalAdvance(slow), metrics.horizontalAdvance(progress)) + 4;
    Label8->resize(std::min(sentence, Label8->width()), Label8->height());
    Label9 = NamedControls::label(this, "Label9", QStringLiteral("ファイルの読込み状況の表示"), 480, 4420, 2700);
    Check1 = checkBox(this, "Check1", kBoxLeft, 4400);
    Label10 = NamedControls::label(this, "Label10", QStringLiteral("印刷の出力状況の表示"), 480, 4840, 2700);
    Check2 = checkBox(this, "Check2", kBoxLeft, 4820);

    Command3 = NamedControls::button(this, "Command3", QStringLiteral("終了"), 3000, 5800, 1500, 420);
    Command5 = NamedControls::button(this, "Command5", QStringLiteral("ヘルプ"), 4700, 5800, 1500, 420);

    connect(Command1, &QPushButton::clicked, this, &Form2a::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2a::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2a::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2a::Command4_Click);
    // Enter in the title box sets the title, as 設定 beside it does.
    connect(Text1, &QLineEdit::returnPressed, Command4, &QPushButton::click);
    connect(Command5, &QPushButton::clicked, this, &Form2a::Command5_Click);
    // Only the person changes a switch, by pointer, key or an assistive tool; Form_Load sets
    // them quietly.
    connect(Check1, &QCheckBox::toggled, this, &Form2a::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &Form2a::Check2_Click);

    Form_Load();
}

void Form2a::Form_Load()
{
    const ConfigCache& c = app_.cache;
    setWindowTitle(c.caption(kWindowName));
    Text1->setText(c.systemTitle());
    Text2->setText(Text1->text());
    showTitleColour(colour::fromSetting(c.titleColourText()));
    showBackColour(colour::fromSetting(c.backColourText()));
    showSwitches();
}

void Form2a::showTitleColour(const QColor& c)
{
    QPalette p = Text2->palette();
    p.setColor(QPalette::Text, c);
    Text2->setPalette(p);
}

void Form2a::showBackColour(const QColor& c)
{
    QPalette p = Text3->palette();
    p.setColor(QPalette::Base, c);
    Text3->setPalette(p);
}

void Form2a::showSwitches()
{
    const ConfigCache& c = app_.cache;
    const QSignalBlocker q1(Check1);
    const QSignalBlocker q2(Check2);
    Check1->setChecked(c.readProgressOn());
    Check2->setChecked(c.printProgressOn());
}

bool Form2a::store(const std::function<void(SystemSettings&)>& change)
{
    SystemSettings settings = app_.cache.systemSettings();
    change(settings);
    return app_.guard([&] { app_.cache.setSystemSettings(settings); });
}

void Form2a::Command4_Click()
{
    const QString title = text::Trim(Text1->text());
    if (text::hasControlCharacter(title)) {
        app_.ui().msgBox(text::controlCharacterMessage(QStringLiteral("タイトル")), Ui::Buttons::Ok, Ui::Icon::Critical,
                         QStringLiteral("Error"));
        return;
    }
    if (!store([&](SystemSettings& s) { s.title = title; })) return;
    Text2->setText(title);
    setWindowTitle(app_.cache.caption(kWindowName));
}

void Form2a::Command1_Click()
{
    const auto chosen = app_.ui().chooseColor(colour::fromSetting(app_.cache.titleColourText()));
    if (!chosen) return;
    if (!store([&](SystemSettings& s) { s.titleColour = colour::toSetting(*chosen); })) return;
    showTitleColour(*chosen);
}

void Form2a::Command2_Click()
{
    const auto chosen = app_.ui().chooseColor(colour::fromSetting(app_.cache.backColourText()));
    if (!chosen) return;
    if (!store([&](SystemSettings& s) { s.backColour = colour::toSetting(*chosen); })) return;
    showBackColour(*chosen);
}

void Form2a::Check1_Click()
{
    // A switch that could not be stored shows the stored value again.
    const bool on = Check1->isChecked();
    if (!store([&](SystemSettings& s) { s.readProgress = on; })) showSwitches();
}

void Form2a::Check2_Click()
{
    const bool on = Check2->isChecked();
    if (!store([&](SystemSettings& s) { s.printProgress = on; })) showSwitches();
}

void Form2a::Command3_Click() { close(); }

void Form2a::Command5_Click() { app_.ui().sendHelpKey(*this); }
