#include "maintenance/Form2h.h"

#include "core/App.h"
#include "platform/db/Database.h"
#include "platform/db/ManagementSchema.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "schema/CacheRollback.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString kSpace = QStringLiteral(" ");

void clearFields(std::array<FieldDefinition, 8>& fields)
{
    for (FieldDefinition& f : fields) f = {kSpace, kSpace};
}

}  // namespace

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

    ConfigCache& c = app_.cache;
    // Every drop and the write-back of the seven rows are one transaction: when any of them
    // fails, the tables, the management table and the cache all stay as they were.
    const bool done = app_.guard([&] {
        CacheRollback undo(c);
        auto& sys = c.rows[ConfigCache::kSystemRow];
        sys.mainFields[0].typeWord = management::kInitialTitle;
        sys.mainFields[1].typeWord = management::kInitialTitleColour;
        sys.mainFields[2].typeWord = management::kInitialBackColour;
        sys.mainFields[3].typeWord = QStringLiteral("0");
        sys.mainFields[4].typeWord = QStringLiteral("0");
        for (int i = 0; i < 6; ++i) {
            c.rows[i].named = 0;
            c.rows[i].name = kSpace;
        }

        Database db = app_.openDatabase();
        Database::Transaction tx(db);
        for (int i = 0; i < 6; ++i) {
            CategoryDefinition& row = c.rows[i];
            if (row.mainCreated == 1) {
                db.execute(QStringLiteral("DROP TABLE ") + text::Trim(row.mainTableName));
                row.mainCreated = 0;
                row.mainTableName = kSpace;
                row.mainFieldCount = 0;
                clearFields(row.mainFields);
                c.restartCounter(i);
            }
            if (row.subCreated == 1) {
                db.execute(QStringLiteral("DROP TABLE ") + text::Trim(row.subTableName));
                row.subCreated = 0;
                row.subTableName = kSpace;
                row.subFieldCount = 0;
                clearFields(row.subFields);
            }
        }
        for (int k = 0; k < 8; ++k) {
            if (!text::isBlank(sys.subFields[k].name)) db.execute(QStringLiteral("DROP TABLE ") + c.codeTableName[k]);
            sys.subFields[k] = {kSpace, kSpace};
        }
        sys.subFieldCount = 0;

        for (int r = 0; r < 7; ++r) c.rowChanged[r] = 1;
        c.SaveChangedRows(&db);
        tx.commit();
        undo.keep();
    });
    if (!done) return;

    // The main window shows the first title, colours and buttons while the message is read.
    initialised_ = true;
    emit systemInitialised();
    ui.msgBox(QStringLiteral("システムの初期値化が終了しました。"), Ui::Buttons::Ok, Ui::Icon::Information,
              QStringLiteral("初期値化終了"));
    close();
}

void Form2h::Command2_Click() { app_.ui().sendHelpKey(*this); }
