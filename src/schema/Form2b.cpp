#include "schema/Form2b.h"

#include "core/App.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Form2b::Form2b(App& app) : app_(app), watch_(app.cache, [this] { Form_Load(); })
{
    setObjectName(QStringLiteral("Form2b"));
    installHelpKey(*this, app_.ui());
    setWindowTitle(QStringLiteral("在庫管理Tanzo"));
    setFixedSize(text::twipsToPixels(7200), text::twipsToPixels(6300));

    Label9 = NamedControls::heading(this, "Label9", QStringLiteral("在庫管理"), 240, 120, 2400, 500, 20);
    Label8 = NamedControls::label(this, "Label8", QStringLiteral("Tanzo"), 2700, 300, 1200, 300);
    Label1 = NamedControls::label(this, "Label1", QStringLiteral("種目名設定"), 4500, 300, 2400, 300);
    Label13 = NamedControls::label(this, "Label13", QStringLiteral("在庫管理プログラムの稼動環境を設定します。"), 240, 840, 6700);
    Label12 = NamedControls::label(this, "Label12", QStringLiteral("種目区分の設定："), 240, 1200, 6700);
    Label10 = NamedControls::label(this, "Label10", QStringLiteral("最初に種目区分を設定します。"), 480, 1500, 6500);
    Label11 = NamedControls::label(this, "Label11",
                                   QStringLiteral(" メイン画面にあるボタン（１～６）に、種目名をセットします。"), 480, 1800, 6500);

    const char* labelNames[6] = {"Label2", "Label3", "Label4", "Label5", "Label6", "Label7"};
    const QStringList captions = {QStringLiteral("種目１"), QStringLiteral("種目２"), QStringLiteral("種目３"),
                                  QStringLiteral("種目４"), QStringLiteral("種目５"), QStringLiteral("種目６")};
    QLabel** labels[6] = {&Label2, &Label3, &Label4, &Label5, &Label6, &Label7};
    for (int i = 0; i < 6; ++i) {
        *labels[i] = NamedControls::label(this, labelNames[i], captions[i], 720, 2340 + 420 * i, 900);
        auto* t =
            NamedControls::make<QLineEdit>(this, QStringLiteral("Text1_%1").arg(i), 1700, 2300 + 420 * i, 4000, 330);
        t->setMaxLength(255);  // a text cell of the management table
        Text1.push_back(t);
    }

    Command1 = NamedControls::button(this, "Command1", QStringLiteral("設　定"), 720, 5100, 1200);
    Command2 = NamedControls::button(this, "Command2", QStringLiteral("戻る"), 2520, 5100, 1200);
    Command3 = NamedControls::button(this, "Command3", QStringLiteral("ヘルプ"), 4320, 5100, 1200);
    connect(Command1, &QPushButton::clicked, this, &Form2b::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2b::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2b::Command3_Click);

    Form_Load();
}

void Form2b::Form_Load()
{
    for (int i = 0; i < 6; ++i) Text1[i]->setText(app_.cache.row(i).name);
}

void Form2b::Command1_Click()
{
    ConfigCache& c = app_.cache;
    std::array<QString, 6> names;
    for (int i = 0; i < 6; ++i) names[size_t(i)] = Text1[i]->text();
    // Every refusal is found before anything changes, so a refused press changes nothing.
    if (const std::optional<QString> refusal = c.categoryNamesRefusal(names)) {
        app_.ui().msgBox(*refusal, Ui::Buttons::Ok, Ui::Icon::Exclamation, QStringLiteral("Ｅｒｒｏｒ"));
        return;
    }
    const bool saved = app_.guard([&] { c.setCategoryNames(names); });
    if (saved) accept();
}

void Form2b::Command2_Click() { reject(); }

void Form2b::Command3_Click() { app_.ui().sendHelpKey(*this); }
