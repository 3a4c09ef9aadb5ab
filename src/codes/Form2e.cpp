#include "codes/Form2e.h"

#include "core/App.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "core/CodeStore.h"
#include "core/ColumnNameCheck.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kAllInUse = QStringLiteral("コード・テーブルは８個作成済みです。");

}  // namespace

Form2e::Form2e(App& app) : app_(app), watch_(app.cache, [this] { showStored(); })
{
    setObjectName(QStringLiteral("Form2e"));
    installHelpKey(*this, app_.ui());
    setFixedSize(text::twipsToPixels(10200), text::twipsToPixels(5900));

    // Entry boxes line up after their labels; the buttons after the boxes.
    constexpr int kBoxLeft = 3000;
    constexpr int kButtonLeft = 7300;
    constexpr int kTextWidth = 9700;
    Label2 = NamedControls::heading(this, "Label2", QStringLiteral("コード・ファイル設定"), 240, 120, 4000, 400);
    Label3 = NamedControls::label(this, "Label3", QStringLiteral("ファイル名"), 240, 600, 1400);
    Label1 = NamedControls::label(this, "Label1", QString(), 1700, 600, 8300);
    Label4 = NamedControls::label(this, "Label4", QStringLiteral("テーブル名称"), 240, 900, 1400);
    Label5 = NamedControls::label(this, "Label5", QString(), 1700, 900, 2000);
    Label9 = NamedControls::label(this, "Label9",
                                  QStringLiteral("コードの桁数とコード・テーブル名を入力して下さい。"
                                                 "　作成出来るコード・テーブルの数は８個です。"),
                                  240, 1300, kTextWidth, 500);
    Label9->setWordWrap(true);
    Label6 = NamedControls::label(this, "Label6", QStringLiteral("コードの桁数 (1～5)"), 240, 1900, 2700);
    Combo1 = NamedControls::make<QComboBox>(this, "Combo1", kBoxLeft, 1860, 800, 330);
    Label10 = NamedControls::label(this, "Label10", QStringLiteral("(半角英数字)"), kBoxLeft + 1000, 1900, 2000);
    Label7 = NamedControls::label(this, "Label7", QStringLiteral("コード・テーブル名"), 240, 2340, 2700);
    Text1 = NamedControls::make<QLineEdit>(this, "Text1", kBoxLeft, 2300, 4000, 330);
    Text1->setMaxLength(255);  // a text cell of the management table
    Command1 = NamedControls::button(this, "Command1", QStringLiteral("作成"), kButtonLeft, 2260, 1200);
    Label8 = NamedControls::label(this, "Label8",
                                  QStringLiteral("社員コード、種目コード、等の名前　　　桁数は 30Byte(全角15) まで。"), 240,
                                  2740, kTextWidth);

    Label11 = NamedControls::label(this, "Label11", QStringLiteral("（コード・ファイル削除）"), 240, 3300, 4000);
    Label12 = NamedControls::label(this, "Label12", QStringLiteral("削除するコード・テーブル名"), 240, 3740, 2700);
    Combo2 = NamedControls::make<QComboBox>(this, "Combo2", kBoxLeft, 3700, 4000, 330);
    Combo2->setPlaceholderText(QStringLiteral("コード・テーブル名を選択して下さい"));
    Command3 = NamedControls::button(this, "Command3", QStringLiteral("削除"), kButtonLeft, 3660, 1200);
    Label13 = NamedControls::label(this, "Label13",
                                   QStringLiteral("削除するコード・テーブルを使用しているメイン及びサブ・ファイルの該当フィールドは、"
                                                  "データ形式をCODE型からTEXT型に変更します。"
                                                  "(フィールド名及び登録済データは変更ありません。)"),
                                   240, 4180, kTextWidth, 560);
    Label13->setWordWrap(true);
    Command2 = NamedControls::button(this, "Command2", QStringLiteral("戻る"), kBoxLeft, 5000, 1200);
    Command4 = NamedControls::button(this, "Command4", QStringLiteral("ヘルプ"), kBoxLeft + 1600, 5000, 1200);

    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    connect(Command1, &QPushButton::clicked, this, &Form2e::Command1_Click);
    // Enter in the name box creates the table, as 作成 beside it does.
    connect(Text1, &QLineEdit::returnPressed, Command1, &QPushButton::click);
    connect(Command2, &QPushButton::clicked, this, &Form2e::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2e::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2e::Command4_Click);

    Form_Load();
}

void Form2e::Form_Load()
{
    Text1->clear();
    // The file's path, or the server and database: never a connection string, which may hold a password.
    Label1->setText(Database::displayName(app_.databasePath()));
    Command3->setEnabled(false);
    showStored();
    // No ninth table; the list of tables stays offered so one can be deleted.
    if (freeSlot_ < 0) refuse(kAllInUse, QStringLiteral("Error"));
}

void Form2e::showStored()
{
    const ConfigCache& c = app_.cache;
    setWindowTitle(c.caption(QStringLiteral("コード・ファイル設定")));
    freeSlot_ = -1;
    if (c.row(ConfigCache::kSystemRow).subFieldCount < 8) {
        for (int k = 1; k <= 8 && freeSlot_ < 0; ++k)
            if (text::isBlank(c.codeTableNameOf(k))) freeSlot_ = k - 1;
    }
    Label5->setText(freeSlot_ < 0 ? QString() : c.codeTableName(freeSlot_));
    if (freeSlot_ >= 0 && Combo1->count() == 0) {
        {
            const QSignalBlocker quiet(Combo1);
            for (int d = 1; d <= 5; ++d) Combo1->addItem(QString::number(d));
            Combo1->setCurrentIndex(0);
        }
        Combo1_Click();
    }
    fillDeleteList();
}

void Form2e::fillDeleteList()
{
    // A table chosen for deletion stays chosen while it is still stored under its name.
    const QString chosen = deleteSlot_ >= 0 ? Combo2->currentText() : QString();
    Combo2->clear();
    for (int k = 1; k <= 8; ++k) Combo2->addItem(text::Trim(app_.cache.codeTableNameOf(k)));
    if (!chosen.isEmpty() && Combo2->itemText(deleteSlot_) == chosen) {
        Combo2->setCurrentIndex(deleteSlot_);
        return;
    }
    Combo2->setCurrentIndex(-1);
    Combo2->setEnabled(true);
    Command3->setEnabled(false);
    deleteSlot_ = -1;
}

void Form2e::Combo1_Click()
{
    codeLengthText_ = text::Trim(Combo1->currentText());
    codeLength_ = codeLengthText_.toInt();
}

void Form2e::Combo2_Click()
{
    const int j = Combo2->currentIndex();
    if (j < 0 || j > 7) return;
    deleteSlot_ = j;
    if (!text::isBlank(Combo2->currentText())) {
        // The choice is final: the button deletes the table named here.
        Combo2->setEnabled(false);
        Command3->setEnabled(true);
    }
}

void Form2e::refuse(const QString& text, const QString& title)
{
    app_.ui().msgBox(text, Ui::Buttons::Ok, Ui::Icon::Critical, title);
}

void Form2e::Command1_Click()
{
    if (freeSlot_ < 0) return refuse(kAllInUse, QStringLiteral("Error"));
    if (codeLength_ < 1 || codeLength_ > 5) return refuse(QStringLiteral("コード桁数を選択してください"));
    const QString name = text::Trim(Text1->text());
    if (name.isEmpty()) return refuse(QStringLiteral("コード・テーブル名を入力してください"));
    // The name becomes the second column of the table.
    if (auto problem = schema::checkColumnName(name, QStringLiteral("コード・テーブル名"),
                                               {schema::kCodeColumn, schema::kRegistrationNoColumn, schema::kSubNoColumn}))
        return refuse(*problem);

    CodeStore store(app_.cache);
    lastStatement = store.createStatement(freeSlot_, codeLength_, name);
    const bool created = app_.guard([&] { store.createTable(freeSlot_, name, codeLength_); });
    if (!created) return;
    app_.ui().msgBox(name + QStringLiteral(" コード・ファイルを作成しました。"), Ui::Buttons::Ok, Ui::Icon::Exclamation,
                     QStringLiteral("処理終了"));
    accept();
}

void Form2e::Command3_Click()
{
    const int j = deleteSlot_;
    if (j < 0 || j > 7 || text::isBlank(app_.cache.codeTableNameOf(j + 1))) return;
    ConfigCache& c = app_.cache;
    auto& sys = c.row(ConfigCache::kSystemRow);
    if (app_.ui().msgBox(sys.subFields[j].name + QStringLiteral(" のコード・ファイルを削除しますか？"),
                         Ui::Buttons::OkCancel, Ui::Icon::None, QStringLiteral("削除の確認")) == Ui::Answer::Cancel)
        return;

    // The fields keep their columns and data; they only stop drawing on the table.
    CodeStore store(app_.cache);
    const bool deleted = app_.guard([&] { store.dropTable(j); });
    if (!deleted) return;
    app_.ui().msgBox(QStringLiteral("コード・ファイルを削除しました。"), Ui::Buttons::Ok, Ui::Icon::Information,
                     QStringLiteral("削除終了"));
    accept();
}

void Form2e::Command2_Click() { reject(); }

void Form2e::Command4_Click() { app_.ui().sendHelpKey(*this); }
