#include "schema/Form2c.h"

#include "core/App.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "core/SchemaStore.h"
#include "schema/Form2d.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

const QString kMain = QStringLiteral("メイン");
const QString kSub = QStringLiteral("サブ");

}  // namespace

Form2c::Form2c(App& app) : app_(app), watch_(app.cache, [this] { showStored(); })
{
    setObjectName(QStringLiteral("Form2c"));
    installHelpKey(*this, app_.ui());
    setFixedSize(text::twipsToPixels(8100), text::twipsToPixels(5700));

    Label1 = NamedControls::heading(this, "Label1", QStringLiteral("ファイル設定"), 240, 120, 3000, 400);
    Label2 = NamedControls::label(this, "Label2", QStringLiteral("在庫管理プログラムの稼動環境を設定します。"), 240, 660, 7500);
    Label6 = NamedControls::label(this, "Label6", QStringLiteral("データベースの設定："), 240, 1000, 7500);
    Label7 = NamedControls::label(this, "Label7",
                                  QStringLiteral("種目毎に、メインファイル（必須）と、必要に応じてサブファイルを設定します。"
                                                 "　種目区分とファイル区分を選択してください。"),
                                  480, 1300, 7300, 560);
    Label7->setWordWrap(true);
    Label5 = NamedControls::label(this, "Label5", QStringLiteral("ファイル設定の前に、種目名設定を行ってください。"), 480, 1940, 7300);

    Label8 = NamedControls::label(this, "Label8", QStringLiteral("種目："), 480, 2560, 1000);
    Combo1 = NamedControls::make<QComboBox>(this, "Combo1", 1500, 2500, 3300, 360);
    Label9 = NamedControls::label(this, "Label9", QStringLiteral("ファイル："), 480, 3160, 1000);
    Combo2 = NamedControls::make<QComboBox>(this, "Combo2", 1500, 3100, 1800, 360);

    Command2 = NamedControls::button(this, "Command2", QStringLiteral("ファイル設定"), 5400, 2460, 2200);
    Command1 = NamedControls::button(this, "Command1", QStringLiteral("データ削除"), 5400, 3060, 2200);
    Command1->setToolTip(QStringLiteral("登録済のデータを削除します。ファイル、項目は変更ありません。"));
    Command4 = NamedControls::button(this, "Command4", QStringLiteral("ファイル削除"), 5400, 3660, 2200);
    Command4->setToolTip(QStringLiteral("選択した種目ファイルを削除します。"));
    Command3 = NamedControls::button(this, "Command3", QStringLiteral("戻る"), 1500, 4560, 1200);
    Command5 = NamedControls::button(this, "Command5", QStringLiteral("ヘルプ"), 3000, 4560, 1200);
    connect(Command1, &QPushButton::clicked, this, &Form2c::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2c::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2c::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2c::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form2c::Command5_Click);

    Form_Load();
}

void Form2c::Form_Load()
{
    showStored();
    Combo2->clear();
    Combo2->addItem(kMain);
    Combo2->addItem(kSub);
    Combo2->setCurrentIndex(0);
}

void Form2c::showStored()
{
    const ConfigCache& c = app_.cache;
    setWindowTitle(c.caption(QStringLiteral("ファイル設定")));
    SettingsWatch::keepChoice(*Combo1, [&] {
        Combo1->clear();
        for (int i = 0; i < 6; ++i)
            if (c.row(i).named == 1) Combo1->addItem(c.row(i).name);
        if (Combo1->count() > 0) Combo1->setCurrentIndex(0);
    });
}

int Form2c::chooseCategory()
{
    const int i = Combo1->currentIndex() < 0 ? -1 : app_.cache.categoryByName(Combo1->currentText());
    if (i < 0)
        app_.ui().msgBox(QStringLiteral("種目が選択されていません。先に種目名設定を行ってください。"), Ui::Buttons::Ok,
                         Ui::Icon::Exclamation, QStringLiteral("注意"));
    return i;
}

bool Form2c::subKindChosen() const { return Combo2->currentText() == kSub; }

bool Form2c::confirm(const QString& question)
{
    return app_.ui().msgBox(question, Ui::Buttons::OkCancel, Ui::Icon::None, QStringLiteral("削除の確認")) !=
           Ui::Answer::Cancel;
}

void Form2c::notice(const QString& text)
{
    app_.ui().msgBox(text, Ui::Buttons::Ok, Ui::Icon::Exclamation, QStringLiteral("注意"));
}

void Form2c::finished(const QString& text)
{
    app_.ui().msgBox(text, Ui::Buttons::Ok, Ui::Icon::Information, QStringLiteral("削除終了"));
}

void Form2c::Command2_Click()
{
    const int i = chooseCategory();
    if (i < 0) return;
    const CategoryDefinition& row = app_.cache.row(i);
    if ((subKindChosen() && row.subCreated == 1) || (!subKindChosen() && row.mainCreated == 1)) {
        app_.ui().msgBox(QStringLiteral("既にファイルが作成されています"), Ui::Buttons::Ok, Ui::Icon::Critical,
                         QStringLiteral("ERROR"));
        return;
    }
    Form2d fields(app_, i, subKindChosen());
    app_.ui().showModal(fields);
}

int Form2c::chooseAndConfirm(const QString& question)
{
    const int i = chooseCategory();
    if (i < 0) return -1;
    if (!confirm(Combo1->currentText() + QStringLiteral("・") + Combo2->currentText() + question)) return -1;
    return i;
}

void Form2c::Command1_Click()
{
    const int i = chooseAndConfirm(QStringLiteral("のデータを全て削除しますか？"));
    if (i < 0) return;
    using File = SchemaStore::File;
    SchemaStore store(app_.cache);
    app_.guard([&] {
        const CategoryDefinition& row = app_.cache.row(i);
        if (subKindChosen()) {
            if (row.subCreated == 0) return notice(QStringLiteral("サブ・ファイルが作成されていません。"));
            if (store.rowCount(i, File::Sub) == 0) return notice(QStringLiteral("サブ・ファイルに削除するデータは有りません。"));
            store.emptyFile(i, File::Sub);
            return finished(QStringLiteral("サブ・ファイルのデータを削除しました。"));
        }
        if (row.mainCreated == 0) return notice(QStringLiteral("メイン・ファイルが作成されていません。"));
        if (row.subCreated == 1 && store.rowCount(i, File::Sub) > 0) {
            if (!confirm(QStringLiteral("サブ・ファイルのデータも削除します。よろしいですか？"))) return;
            store.emptyFile(i, File::Sub);
            finished(QStringLiteral("サブ・ファイルのデータを削除しました。"));
        }
        if (store.rowCount(i, File::Main) == 0) return notice(QStringLiteral("メイン・ファイルに削除するデータは有りません。"));
        store.emptyFile(i, File::Main);
        finished(QStringLiteral("メイン・ファイルのデータを削除しました。"));
    });
}

void Form2c::Command4_Click()
{
    const int i = chooseAndConfirm(QStringLiteral("のファイルを削除しますか？"));
    if (i < 0) return;
    using File = SchemaStore::File;
    SchemaStore store(app_.cache);
    app_.guard([&] {
        const CategoryDefinition& row = app_.cache.row(i);
        if (subKindChosen()) {
            if (row.subCreated == 0) return notice(QStringLiteral("サブ・ファイルが作成されていません。"));
            store.dropFile(i, File::Sub);
            return finished(QStringLiteral("サブ・ファイルを削除しました。"));
        }
        if (row.mainCreated == 0) return notice(QStringLiteral("メイン・ファイルが作成されていません。"));
        const bool withSub = row.subCreated == 1;
        if (withSub && !confirm(QStringLiteral("サブ・ファイルも削除します。よろしいですか？"))) return;
        // Both tables and the definition go together, or nothing does.
        store.dropFile(i, File::Main);
        if (withSub) finished(QStringLiteral("サブ・ファイルを削除しました。"));
        finished(QStringLiteral("メイン・ファイルを削除しました。"));
    });
}

void Form2c::Command3_Click() { reject(); }

void Form2c::Command5_Click() { app_.ui().sendHelpKey(*this); }
