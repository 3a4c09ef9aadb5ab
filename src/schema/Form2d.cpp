#include "schema/Form2d.h"

#include "core/App.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/Twips.h"
#include "core/SchemaStore.h"
#include "core/ColumnNameCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QStringList kTypeWords = {QStringLiteral("TEXT"), QStringLiteral("LONG"), QStringLiteral("CURRENCY"),
                                QStringLiteral("DATE")};
constexpr int kRowStep = 385;
constexpr int kFirstRowTop = 3300;
constexpr int kWindowWidth = 13000;
// Columns of the field rows, the code table picker and the buttons.
constexpr int kNameLeft = 240;
constexpr int kTypeLeft = 3800;
constexpr int kCheckLeft = 5700;
constexpr int kPickerLeft = 7400;
constexpr int kButtonLeft = 11500;
// A field name is stored in a text cell of the management table.
constexpr int kMaxNameLength = 255;

int rowTop(int row) { return kFirstRowTop + kRowStep * (row - 1); }

}  // namespace

Form2d::Form2d(App& app, int category, bool sub) : app_(app), category_(category), sub_(sub), watch_(app.cache, [this] { showStored(); })
{
    setObjectName(QStringLiteral("Form2d"));
    installHelpKey(*this, app_.ui());
    // The window is as wide as the schema window placement expects.
    setFixedSize(text::twipsToPixels(kWindowWidth), text::twipsToPixels(6000));

    Label2 = NamedControls::heading(this, "Label2", QStringLiteral("ファイル設定"), 240, 120, 3000, 400);
    Label3 = NamedControls::label(this, "Label3", QStringLiteral("ファイル名"), 240, 600, 1400);
    Label1 = NamedControls::label(this, "Label1", QString(), 1700, 600, 11000);
    Label4 = NamedControls::label(this, "Label4", QStringLiteral("テーブル名称"), 240, 900, 1400);
    Label5 = NamedControls::label(this, "Label5", QString(), 1700, 900, 2000);
    Label10 = NamedControls::label(this, "Label10", QString(), 4000, 900, 4600);
    Label11 = NamedControls::label(this, "Label11", QString(), 8800, 900, 1200);
    Label6 = NamedControls::label(this, "Label6", QStringLiteral("フィールド(項目)の数  (1～8)"), 240, 1260, 2800);
    Combo1 = NamedControls::make<QComboBox>(this, "Combo1", 3100, 1220, 800, 330);
    Label12 = NamedControls::label(this, "Label12", QStringLiteral("＊.最初にフィールドの数を選択する。"), 4100, 1260, 5400);
    Label9 = NamedControls::label(this, "Label9",
                                  QStringLiteral(" TEXT      テキスト型    LONG      数値型        CURRENCY  通貨       DATE          日付"),
                                  240, 1640, 12400);
    Label9->setFont(QFont(QStringLiteral("IPAGothic")));
    Label15 = NamedControls::label(this, "Label15", QStringLiteral("DATE型の項目はデータ入力必須となります"), 240, 1960, 5000);

    Label7 = NamedControls::label(this, "Label7", QStringLiteral("フィールド(項目)名称"), kNameLeft, 3000, 3000);
    Label8 = NamedControls::label(this, "Label8", QStringLiteral("データ型"), kTypeLeft, 3000, 1600);
    Label14 = NamedControls::label(this, "Label14", QStringLiteral("コード使用の有無"), kCheckLeft, 3000, 1600);
    Text1.assign(9, nullptr);
    Combo2.assign(9, nullptr);
    Check1.assign(9, nullptr);
    createRow(1);

    // The code table picker appears beside the row whose "コード使用" was ticked.
    Combo3 = NamedControls::make<QComboBox>(this, "Combo3", kPickerLeft, rowTop(1), 3900, 330);
    Combo3->setPlaceholderText(QStringLiteral("コード・テーブルを選択して下さい"));
    Combo3->hide();

    Label13 = NamedControls::label(this, "Label13",
                                   QStringLiteral("フィールド名称及びそのフィールドのデータ形式を、フィールドの数だけ入力する。"
                                                  " ( , . - = ( ) / 等の記号は使用しないでください)"),
                                   240, 4320, 7500, 600);
    // Two lines: the instruction, then the symbols not to use.
    Label13->setWordWrap(true);
    Command1 = NamedControls::button(this, "Command1", QStringLiteral("作成"), kButtonLeft, 4320, 1200);
    Command2 = NamedControls::button(this, "Command2", QStringLiteral("戻る"), kButtonLeft, kFirstRowTop, 1200);

    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(Combo3, &QComboBox::activated, this, [this] { Combo3_Click(); });
    connect(Command1, &QPushButton::clicked, this, &Form2d::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2d::Command2_Click);

    Form_Load();
}

void Form2d::createRow(int row)
{
    auto* t =
        NamedControls::make<QLineEdit>(this, QStringLiteral("Text1_%1").arg(row), kNameLeft, rowTop(row), 3400, 330);
    t->setMaxLength(kMaxNameLength);
    auto* c =
        NamedControls::make<QComboBox>(this, QStringLiteral("Combo2_%1").arg(row), kTypeLeft, rowTop(row), 1700, 330);
    c->setEditable(true);
    auto* k =
        NamedControls::make<QCheckBox>(this, QStringLiteral("Check1_%1").arg(row), kCheckLeft, rowTop(row), 1500, 330);
    k->setText(QStringLiteral("コード使用"));
    connect(k, &QCheckBox::toggled, this, [this, row] { Check1_Click(row); });
    Text1[row] = t;
    Combo2[row] = c;
    Check1[row] = k;
    NamedControls::nameInputs(*this);
}

void Form2d::orderTabs()
{
    // Row by row; the code table list right after the box that showed it.
    std::vector<QWidget*> chain{Combo1};
    for (int row = 1; row <= 8 && Text1[row]; ++row) {
        chain.insert(chain.end(), {Text1[row], Combo2[row], Check1[row]});
        if (row == codeRow_) chain.push_back(Combo3);
    }
    if (codeRow_ < 1) chain.push_back(Combo3);
    chain.insert(chain.end(), {Command1, Command2});
    NamedControls::chainTabs(chain);
}

bool Form2d::isMainFile() const { return !sub_; }

void Form2d::Form_Load()
{
    ConfigCache& c = app_.cache;
    Text1[1]->clear();
    move(text::twipsToPixels(app_.layout().schemaWindowLeft), text::twipsToPixels(app_.layout().schemaWindowTop));
    // The file's path, or the server and database: never a connection string, which may hold a password.
    Label1->setText(Database::displayName(app_.databasePath()));

    if (category_ >= 0 && category_ < 6) tableName_ = isMainFile() ? c.mainTableName(category_) : c.subTableName(category_);
    Label5->setText(tableName_);
    Label11->setText(isMainFile() ? QStringLiteral("メイン") : QStringLiteral("サブ"));

    const QSignalBlocker quiet(Combo1);
    Combo1->clear();
    for (int row = 1; row <= 8; ++row) {
        Combo1->addItem(QString::number(row));
        if (row >= 2 && !Text1[row]) createRow(row);
        Text1[row]->setReadOnly(false);
        Combo2[row]->setEnabled(true);
        Combo2[row]->clear();
        Combo2[row]->addItems(kTypeWords);
        Combo2[row]->setCurrentIndex(0);
    }
    Combo1->setCurrentIndex(0);
    Combo1_Click();
    orderTabs();

    Combo3->setCurrentIndex(-1);
    Combo3->hide();
    showStored();
}

void Form2d::showStored()
{
    const ConfigCache& c = app_.cache;
    setWindowTitle(c.caption(QStringLiteral("ファイル設定(項目)")));
    Label10->setText(category_ >= 0 && category_ < 6 ? c.row(category_).name : QString());
    SettingsWatch::keepChoice(*Combo3, [&] {
        Combo3->clear();
        for (int k = 1; k <= 8; ++k) Combo3->addItem(text::Trim(c.codeTableNameOf(k)));
        Combo3->setCurrentIndex(-1);
    });
}

void Form2d::Combo1_Click()
{
    const int n = Combo1->currentText().toInt();
    if (n < 1 || n > 8) return;
    n_ = static_cast<qint16>(n);
    setFixedHeight(text::twipsToPixels(6000 + kRowStep * (n - 1)));
    setTopTwips(*Command1, 4320 + kRowStep * (n - 1));
    setTopTwips(*Label13, 4320 + kRowStep * (n - 1));
    for (int row = 2; row <= 8; ++row) {
        Text1[row]->setVisible(row <= n);
        Combo2[row]->setVisible(row <= n);
        Check1[row]->setVisible(row <= n);
    }
}

void Form2d::Check1_Click(int row)
{
    if (row < 1 || row > 8) return;
    if (Check1[row]->isChecked()) {
        codeRow_ = row;
        setTopTwips(*Combo3, rowTop(row));
        Combo3->setCurrentIndex(-1);
        Combo3->show();
        orderTabs();
        Text1[row]->setReadOnly(true);
        Combo2[row]->setEnabled(false);
    } else {
        Text1[row]->clear();
        Combo2[row]->setCurrentIndex(0);
        Combo2[row]->setEditText(QStringLiteral("TEXT"));
        Text1[row]->setReadOnly(false);
        Combo2[row]->setEnabled(true);
        Combo3->hide();
    }
    update();
}

void Form2d::Combo3_Click()
{
    const int index = Combo3->currentIndex();
    if (index < 0 || index > 7 || codeRow_ < 1) return;
    const QString name = text::Trim(Combo3->currentText());
    if (name.isEmpty()) return;
    Text1[codeRow_]->setText(name);
    Combo2[codeRow_]->setEditText(app_.cache.codeTableName(index));
    Combo3->hide();
}

std::optional<QString> Form2d::typeProblem(int row) const
{
    const QString word = text::Trim(Combo2[row]->currentText());
    const QString field = text::Trim(Text1[row]->text());
    if (kTypeWords.contains(word)) return std::nullopt;
    if (word.size() == 5 && word.startsWith(QLatin1String("CODE")) && word.at(4) >= QLatin1Char('1') &&
        word.at(4) <= QLatin1Char('8')) {
        const int k = word.at(4).digitValue();
        const int length = app_.cache.codeLengthOf(k);
        if (!text::isBlank(app_.cache.codeTableNameOf(k)) && length >= 1 && length <= 5) return std::nullopt;
        return QStringLiteral("フィールド「%1」のコード・テーブル「%2」は作成されていません。").arg(field, word);
    }
    return QStringLiteral("フィールド「%1」のデータ型「%2」は使用できません。"
                          "TEXT、LONG、CURRENCY、DATE から選択してください。")
        .arg(field, word);
}

std::vector<FieldDefinition> Form2d::definedFields() const
{
    std::vector<FieldDefinition> fields;
    for (int row = 1; row <= n_; ++row) fields.push_back({text::Trim(Text1[row]->text()), text::Trim(Combo2[row]->currentText())});
    return fields;
}

QString Form2d::BuildStatement() const
{
    return SchemaStore(app_.cache).createStatement(tableName_, definedFields(), isMainFile() ? SchemaStore::File::Main : SchemaStore::File::Sub);
}

void Form2d::refuse(const QString& text)
{
    app_.ui().msgBox(text, Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("ERROR"));
}

void Form2d::Command1_Click()
{
    for (int row = 1; row <= n_; ++row) {
        if (text::isBlank(Text1[row]->text())) return refuse(QStringLiteral("フィールド名称を入力してください"));
    }
    // The names become columns of the statement: nothing is executed until all of them,
    // and every type, can be used.
    QStringList names;
    for (int row = 1; row <= n_; ++row) names << text::Trim(Text1[row]->text());
    if (auto problem = schema::checkColumnNames(names, QStringLiteral("フィールド名称"),
                                                {schema::kRegistrationNoColumn, schema::kSubNoColumn}))
        return refuse(*problem);
    for (int row = 1; row <= n_; ++row) {
        if (auto problem = typeProblem(row)) return refuse(*problem);
    }
    if (category_ < 0 || category_ > 5) {
        app_.ui().msgBox(QStringLiteral("種目が選択されていません。先に種目名設定を行ってください。"), Ui::Buttons::Ok,
                         Ui::Icon::Exclamation, QStringLiteral("注意"));
        return;
    }

    // The table and its definition are stored together, or neither is.
    SchemaStore store(app_.cache);
    lastStatement = BuildStatement();
    const bool created = app_.guard([&] {
        store.createFile(category_, isMainFile() ? SchemaStore::File::Main : SchemaStore::File::Sub,
                                         tableName_, definedFields());
    });
    if (!created) return;
    app_.ui().msgBox(QStringLiteral("ファイル設定の処理が終了しました。"), Ui::Buttons::Ok, Ui::Icon::Exclamation,
                     QStringLiteral("処理終了"));
    accept();
}

void Form2d::Command2_Click() { reject(); }
