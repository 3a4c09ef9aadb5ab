#include "records/Form9k.h"

#include "core/App.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Form9k::Form9k(App& app) : app_(app)
{
    setObjectName(QStringLiteral("Form9k"));
    installHelpKey(*this, app_.ui());
    setModal(true);

    Label1 = NamedControls::scaledHeading(this, "Label1", QStringLiteral("全ファイルより検索"), 240, 120, 6000, 330, 1.3);
    Label3 = NamedControls::label(this, "Label3",
                                  QStringLiteral("全種目ファイル(メイン・サブ)のＴＥＸＴ型(文字)項目を対象に検索します。"),
                                  240, 600, 8400, 330);
    Label2 = NamedControls::label(this, "Label2", QStringLiteral("検索文字"), 240, 1170, 1000, 330);

    Text1 = NamedControls::make<QLineEdit>(this, "Text1", 1300, 1130, 5400, 330);

    Check1 = NamedControls::make<QCheckBox>(this, "Check1", 1300, 1590, 6600, 330);
    Check1->setText(QStringLiteral("大/小文字、全角/半角、カナ/ひらがなを区別する"));
    connect(Check1, &QCheckBox::toggled, this, [this](bool on) { Check1_Click(on ? 1 : 0); });

    Command1 = NamedControls::button(this, "Command1", QStringLiteral("検索"), 1300, 2190, 1400, 450);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &Form9k::Command1_Click);
    Command2 = NamedControls::button(this, "Command2", QStringLiteral("ヘルプ"), 2900, 2190, 1400, 450);
    Command2->setAutoDefault(false);
    connect(Command2, &QPushButton::clicked, this, &Form9k::Command2_Click);

    resize(twipsToPixelsX(*this, 8900), twipsToPixelsY(*this, 3000));
    Form_Load();
}

void Form9k::Form_Load()
{
    setWindowTitle(app_.cache.caption(QStringLiteral("検索条件(全ファイル)")));
    chosen_.typeWord = QStringLiteral("TEXT");
    conditions_.reset();
    Text1->setFocus();
}

void Form9k::Check1_Click(int value) { chosen_.caseMode = value; }

void Form9k::Command1_Click()
{
    // Any typed character counts, a lone space too: it finds the blank text fields.
    const QString typed = Text1->text();
    if (typed.isEmpty()) {
        app_.ui().msgBox(QStringLiteral("検索文字が入力されていません"), Ui::Buttons::Ok, Ui::Icon::None, QStringLiteral("ERROR"));
        Text1->setFocus();
        return;
    }
    chosen_.text = typed;
    chosen_.caseMode = Check1->isChecked() ? 1 : 0;
    conditions_ = chosen_;
    accept();
}

void Form9k::Command2_Click() { app_.ui().sendHelpKey(*this); }
