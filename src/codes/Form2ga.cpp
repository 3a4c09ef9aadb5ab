#include "codes/Form2ga.h"

#include "codes/Form2gb.h"
#include "core/App.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString kMain = QStringLiteral("メイン");
const QString kSub = QStringLiteral("サブ");

}  // namespace

QStringList Form2ga::explanation()
{
    return {
        QStringLiteral("データ登録時の支援機能として、コード・テーブルに登録されているコード名(文字列)を"),
        QStringLiteral("簡単に選択のうえデータ登録できる機能です。"),
        QStringLiteral("対象となるのは、各ファイルのうちＴＥＸＴ形式(文字)のファイル項目に対して、利用する"),
        QStringLiteral("コード・テーブルを指定して連携を図るものです。"),
        QStringLiteral("１．この登録により、データ登録時の当該テータ入力行にコード・テーブルが表示さるので"),
        QStringLiteral("、必要とする文字列を選択することによりデータ登録する。"),
        QStringLiteral("２．利用方法としては、コード・テーブルを該当のデータ入力行に自動的に表示させるか、"
                       "マウスの右クリックにより表示させるかの２通りがある。"),
    };
}

Form2ga::Form2ga(App& app) : app_(app), watch_(app.cache, [this] { showStored(); })
{
    setObjectName(QStringLiteral("Form2ga"));
    installHelpKey(*this, app_.ui());
    setFixedSize(text::twipsToPixels(11000), text::twipsToPixels(6000));

    Label1 = NamedControls::heading(this, "Label1", QStringLiteral("コード・テーブル利用登録"), 240, 120, 5000, 450);
    Label2 = NamedControls::label(this, "Label2", QStringLiteral("ファイルの選定"), 240, 720, 2400);
    Label4 = NamedControls::label(this, "Label4", QStringLiteral("(ファイル選定)"), 2700, 720, 2400);
    Label3 = NamedControls::label(this, "Label3", QStringLiteral("利用したいファイル項目のある種目ファイルを選定する。"), 600,
                                  1080, 9000);

    Label8 = NamedControls::label(this, "Label8", QStringLiteral("種目ファイル："), 600, 1580, 2200);
    Combo1 = NamedControls::make<QComboBox>(this, "Combo1", 2900, 1540, 3300, 360);
    Label9 = NamedControls::label(this, "Label9", QStringLiteral("メイン・　サブの別："), 600, 2100, 2200);
    Combo2 = NamedControls::make<QComboBox>(this, "Combo2", 2900, 2060, 1800, 360);

    Command2 = NamedControls::button(this, "Command2", QStringLiteral("ファイル選定"), 6700, 1520, 1700);
    Command3 = NamedControls::button(this, "Command3", QStringLiteral("戻る"), 8600, 1520, 1200);
    Command1 = NamedControls::button(this, "Command1", QStringLiteral("ヘルプ"), 8600, 2040, 1200);

    Text1 = NamedControls::make<QPlainTextEdit>(this, "Text1", 240, 2800, 10500, 2900);
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setPlainText(explanation().join(QLatin1Char('\n')));

    connect(Command1, &QPushButton::clicked, this, &Form2ga::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2ga::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2ga::Command3_Click);

    Form_Load();
}

void Form2ga::Form_Load()
{
    showStored();
    Combo2->clear();
    Combo2->addItem(kMain);
    Combo2->addItem(kSub);
    Combo2->setCurrentIndex(0);
}

void Form2ga::showStored()
{
    const ConfigCache& c = app_.cache;
    setWindowTitle(c.caption(QStringLiteral("コード・テーブル利用登録(1)")));
    SettingsWatch::keepChoice(*Combo1, [&] {
        Combo1->clear();
        for (int i = 0; i < 6; ++i)
            if (c.row(i).mainCreated == 1) Combo1->addItem(c.row(i).name);
        if (Combo1->count() > 0) Combo1->setCurrentIndex(0);
    });
}

void Form2ga::Command2_Click()
{
    const ConfigCache& c = app_.cache;
    // With no category to offer there is no file either.
    const int i = Combo1->currentIndex() < 0 ? -1 : c.categoryByName(Combo1->currentText());
    const bool sub = Combo2->currentText() == kSub;
    if (i < 0 || (sub && c.row(i).subCreated == 0) || (!sub && c.row(i).mainCreated == 0)) {
        app_.ui().msgBox(QStringLiteral("ファイルが作成されていません"), Ui::Buttons::Ok, Ui::Icon::Critical,
                         QStringLiteral("ERROR"));
        return;
    }
    Form2gb fields(app_, i, sub);
    app_.ui().showModal(fields);
}

void Form2ga::Command1_Click() { app_.ui().sendHelpKey(*this); }

void Form2ga::Command3_Click() { close(); }
