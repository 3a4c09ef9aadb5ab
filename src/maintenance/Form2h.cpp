#include "maintenance/Form2h.h"

#include "core/App.h"
#include "core/Maintenance.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

Form2h::Form2h(App& app) : app_(app)
{
    setObjectName(QStringLiteral("Form2h"));
    installHelpKey(*this, app_.ui());
    setFixedSize(text::twipsToPixels(8400), text::twipsToPixels(6000));

    Label1 = NamedControls::heading(this, "Label1", QStringLiteral("システム初期値化"), 240, 120, 4000, 400);
    Label2 = NamedControls::label(this, "Label2", QStringLiteral("［取扱注意］"), 4600, 160, 2400, 360);
    QFont caution = Label2->font();
    caution.setBold(true);
    Label2->setFont(caution);
    NamedControls::setTextColour(*Label2, Qt::red);
    Label3 = NamedControls::label(this, "Label3",
                                  QStringLiteral("システム初期値化の前に、念のため、ファイルのバックアップを実施して下さい。"), 240,
                                  700, 7900, 300);

    Text1 = NamedControls::make<QPlainTextEdit>(this, "Text1", 240, 1120, 7900, 3300);
    Text1->setReadOnly(true);
    Text1->setPlainText(QStringList{QStringLiteral("システムを導入当初の状態に戻します。　"),
                                    QStringLiteral("初期値化するのは次の通り"),
                                    QStringLiteral("　　　① システム・タイトル　→　タイトル名「在庫管理」に戻す"),
                                    QStringLiteral("　　　② 種目名　→　全てクリァー"),
                                    QStringLiteral("　　　③ 種目別ファイル(メイン・サブ)　→　全て削除"),
                                    QStringLiteral("　　　④ コード・ファイル　→　全て削除"),
                                    QStringLiteral("　　　⑤ 登録ＮＯ　→　０ に戻す"),
                                    QStringLiteral("　　　⑥ 処理の進捗状況の表示　→　非表示に戻す")}
                            .join(QLatin1Char('\n')));

    Command1 = NamedControls::button(this, "Command1", QStringLiteral("初期値化"), 2400, 4800, 1500, 420);
    Command2 = NamedControls::button(this, "Command2", QStringLiteral("ヘルプ"), 4300, 4800, 1500, 420);
    connect(Command1, &QPushButton::clicked, this, &Form2h::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2h::Command2_Click);

    Form_Load();
}

void Form2h::Form_Load() { setWindowTitle(app_.cache.caption(QStringLiteral("システム初期化"))); }

void Form2h::Command1_Click()
{
    Ui& ui = app_.ui();
    if (ui.msgBox(QStringLiteral("システムを初期値化しても宜しいですか？"), Ui::Buttons::OkCancel, Ui::Icon::None,
                  QStringLiteral("初期値化の確認")) != Ui::Answer::Ok)
        return;

    // Every drop and the write-back of the seven rows are one transaction: when any of them
    // fails, the tables, the management table and the cache all stay as they were.
    Maintenance maintenance(app_.cache);
    const bool done = app_.guard([&] { maintenance.initialise(); });
    if (!done) return;

    // The main window shows the first title, colours and buttons while the message is read.
    initialised_ = true;
    emit systemInitialised();
    ui.msgBox(QStringLiteral("システムの初期値化が終了しました。"), Ui::Buttons::Ok, Ui::Icon::Information,
              QStringLiteral("初期値化終了"));
    close();
}

void Form2h::Command2_Click() { app_.ui().sendHelpKey(*this); }
