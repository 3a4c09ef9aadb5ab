#include "codes/Form2f.h"

#include "core/App.h"
#include "core/CodeStore.h"
#include "core/FieldRule.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/NamedControls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A code name takes at most 30 bytes counted as two a character: 15 characters of any kind.
constexpr int kMaxNameCharacters = 15;

// Characters as the person sees them (a pair of surrogates is one character).
int characterCount(const QString& s) { return static_cast<int>(s.toUcs4().size()); }

}  // namespace

Form2f::Form2f(App& app) : app_(app), watch_(app.cache, [this] { showStored(); })
{
    setObjectName(QStringLiteral("Form2f"));
    installHelpKey(*this, app_.ui());
    buildWindow();
    Form_Load();
}

void Form2f::buildWindow()
{
    setFixedSize(text::twipsToPixels(7200), text::twipsToPixels(6800));

    Label1 = NamedControls::heading(this, "Label1", QStringLiteral("コード登録"), 300, 150, 4000, 450);

    Label2 = NamedControls::label(this, "Label2", QStringLiteral("コード・テーブル名"), 300, 800, 1900, 300);
    Combo1 = NamedControls::make<QComboBox>(this, "Combo1", 2200, 740, 3800, 380);
    Combo1->setPlaceholderText(QStringLiteral("コード・テーブル名を選択して下さい"));
    connect(Combo1, &QComboBox::activated, this, &Form2f::Combo1_Click);

    DBGrid1 = NamedControls::make<DataGrid>(this, "DBGrid1", 300, 1300, 6600, 2800);
    connect(DBGrid1, &DataGrid::currentRowChanged, this, [this](int) { showCurrentRow(); });

    Label3 = NamedControls::label(this, "Label3", QStringLiteral("コード："), 300, 4330, 1200, 300);
    Text1 = NamedControls::make<QLineEdit>(this, "Text1", 1500, 4270, 1300, 380);
    Label4 = NamedControls::label(this, "Label4", QString(), 2900, 4330, 1000, 300);

    Label5 = NamedControls::label(this, "Label5", QStringLiteral("コード名： "), 300, 4830, 1200, 300);
    Text2 = NamedControls::make<QLineEdit>(this, "Text2", 1500, 4770, 3700, 380);
    Label6 = NamedControls::label(this, "Label6", QStringLiteral("(全角15桁まで)"), 5300, 4830, 1700, 300);

    Label7 = NamedControls::label(this, "Label7", QStringLiteral("注) コードの変更は出来ません。　削除・新規追加で行います。"),
                                  300, 5330, 6600, 300);

    Text3 = NamedControls::make<QLineEdit>(this, "Text3", 5300, 4270, 1000, 380);
    Text3->hide();
    Text3->setEnabled(false);  // holds the code being changed; never shown or typed into

    Command1 = NamedControls::button(this, "Command1", QStringLiteral("新規作成"), 300, 5900, 1400, 500);
    Command2 = NamedControls::button(this, "Command2", QStringLiteral("変　更"), 1800, 5900, 1400, 500);
    Command3 = NamedControls::button(this, "Command3", QStringLiteral("削　除"), 3300, 5900, 1400, 500);
    Command4 = NamedControls::button(this, "Command4", QString(), 300, 5900, 2000, 500);
    Command4->setDefault(true);  // Enter in a text box carries out the started action
    Command5 = NamedControls::button(this, "Command5", QStringLiteral("戻る"), 4900, 5900, 1000, 500);
    Command6 = NamedControls::button(this, "Command6", QStringLiteral("ヘルプ"), 6000, 5900, 900, 500);

    connect(Command1, &QPushButton::clicked, this, &Form2f::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2f::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2f::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2f::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form2f::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form2f::Command6_Click);
}

void Form2f::Form_Load()
{
    setWindowTitle(app_.cache.caption(QStringLiteral("コード登録")));
    state_ = State::Waiting;
    slot_ = -1;
    Data1.clear();
    setTextsBound(false);
    for (QWidget* w : std::initializer_list<QWidget*>{DBGrid1, Command1, Command2, Command3, Command4, Text1, Text2,
                                                      Label3, Label4, Label5, Label6, Label7}) {
        w->hide();
        w->setEnabled(false);
    }

    Combo1->setEnabled(true);
    showStored();
    if (app_.cache.row(ConfigCache::kSystemRow).subFieldCount == 0)
        app_.ui().msgBox(QStringLiteral("コード・テーブルが作成未済みです。"), Ui::Buttons::Ok, Ui::Icon::Critical,
                         QStringLiteral("Error"));
}

void Form2f::showStored()
{
    setWindowTitle(app_.cache.caption(QStringLiteral("コード登録")));
    // Once a table is open its codes are shown; the list of tables waits for the window to open again.
    if (state_ != State::Waiting || slot_ >= 0) return;
    Combo1->clear();
    const auto& sys = app_.cache.row(ConfigCache::kSystemRow);
    if (sys.subFieldCount == 0) return;
    for (int j = 0; j < 8; ++j) Combo1->addItem(text::Trim(sys.subFields[j].name));
    Combo1->setCurrentIndex(-1);
}

void Form2f::Combo1_Click(int index)
{
    if (state_ != State::Waiting || index < 0 || index >= Combo1->count()) return;
    if (text::isBlank(Combo1->itemText(index))) {
        // A free slot of the register: nothing to show, and the list stays open.
        Combo1->setCurrentIndex(-1);
        return;
    }
    Combo1->setCurrentIndex(index);
    Combo1->setEnabled(false);  // another table needs the window to be opened again

    slot_ = index;
    codeLengthText_ = text::Trim(app_.cache.row(ConfigCache::kSystemRow).subFields[index].typeWord);
    codeLength_ = codeLengthText_.toInt();
    Data1.databaseName = app_.databasePath();
    Data1.recordSource = app_.cache.codeTableName(index);

    DBGrid1->show();
    DBGrid1->setEnabled(true);
    returnToBrowsing();
}

void Form2f::beginAction(State action, const QString& caption)
{
    state_ = action;
    const int row = DBGrid1->currentRow();
    shownName_ = row < 0 ? QString() : DBGrid1->text(row, 1);
    Command4->setText(caption);
    for (QPushButton* b : {Command1, Command2, Command3}) {
        b->hide();
        b->setEnabled(false);
    }
    Command4->show();
    Command4->setEnabled(true);
    // Enter carries the action out, whichever button had the focus (and so the default) before.
    Command4->setDefault(true);
    // The grid stays where it is while an action is under way.
    DBGrid1->setEnabled(false);
}

void Form2f::Command1_Click()
{
    if (state_ != State::Browsing) return;
    beginAction(State::Adding, QStringLiteral("新規作成実行"));
    setTextsBound(false);
    Text1->clear();
    Text2->clear();
    Label7->hide();
    Text1->setReadOnly(false);
    Text2->setReadOnly(false);
    Text1->setFocus();
}

void Form2f::Command2_Click()
{
    // Without a current row there is no name to change.
    if (state_ != State::Browsing || DBGrid1->currentRow() < 0) return;
    beginAction(State::Changing, QStringLiteral("変更 実行"));
    setTextsBound(false);
    Label7->show();
    Label7->setEnabled(true);
    Text1->setReadOnly(true);
    Text2->setReadOnly(false);
    Text3->setText(Text1->text());
    Text2->setFocus();
}

void Form2f::Command3_Click()
{
    if (state_ != State::Browsing || DBGrid1->currentRow() < 0) return;
    beginAction(State::Deleting, QStringLiteral("削除 実行"));
    setTextsBound(false);
    Label7->hide();
    Text1->setReadOnly(true);
    Text2->setReadOnly(true);
    Text3->setText(Text1->text());
}

void Form2f::Command4_Click()
{
    QString current;
    switch (state_) {
    case State::Adding:
        if (addCode()) current = text::Trim(Text1->text());
        break;
    case State::Changing:
        if (changeName()) current = text::Trim(Text1->text());
        break;
    case State::Deleting:
        deleteCode();
        break;
    default:
        return;
    }
    returnToBrowsing(current);
}

void Form2f::Command5_Click() { close(); }

void Form2f::Command6_Click() { app_.ui().sendHelpKey(*this); }

void Form2f::refuse(const QString& message)
{
    app_.ui().msgBox(message, Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
}

bool Form2f::nameAccepted(const QString& name)
{
    if (name.isEmpty()) {
        refuse(QStringLiteral("コード名称が入力洩れです。"));
        return false;
    }
    if (text::hasControlCharacter(name)) {
        refuse(text::controlCharacterMessage(QStringLiteral("コード名称")));
        return false;
    }
    if (characterCount(name) > kMaxNameCharacters) {
        refuse(QStringLiteral("コード名称の桁数が30桁オーバーです。"));
        return false;
    }
    return true;
}

bool Form2f::addCode()
{
    const QString name = text::Trim(Text2->text());
    if (!nameAccepted(name)) return false;
    const QString code = text::Trim(Text1->text());
    if (code.isEmpty()) {
        refuse(QStringLiteral("コードが入力洩れです。"));
        return false;
    }
    if (text::hasControlCharacter(code)) {
        refuse(text::controlCharacterMessage(QStringLiteral("コード")));
        return false;
    }
    if (!fieldrule::hasCodeLength(code, codeLength_)) {
        refuse(fieldrule::reason(fieldrule::Fault::CodeLength, QStringLiteral("コード"), code));
        return false;
    }
    bool added = false;
    app_.guard([&] {
        if (CodeStore(app_.cache).addCode(Data1.recordSource, code, name)) added = true;
        else refuse(QStringLiteral("コード ") + code + QStringLiteral(" は既に登録済です。"));
    });
    return added;
}

bool Form2f::changeName()
{
    const QString name = text::Trim(Text2->text());
    if (!nameAccepted(name)) return false;
    const QString code = text::Trim(Text1->text());
    return app_.guard([&] { CodeStore(app_.cache).renameCode(Data1.recordSource, code, shownName_, name); });
}

bool Form2f::deleteCode()
{
    if (app_.ui().msgBox(QStringLiteral("このレコードを削除しますか？"), Ui::Buttons::OkCancel, Ui::Icon::Question,
                         QStringLiteral("削除の確認")) != Ui::Answer::Ok)
        return false;
    const QString code = text::Trim(Text1->text());
    return app_.guard([&] { CodeStore(app_.cache).removeCode(Data1.recordSource, code, shownName_); });
}

void Form2f::returnToBrowsing(const QString& selectCode)
{
    const bool wasAdding = state_ == State::Adding;
    state_ = State::Browsing;
    refreshGrid();
    DBGrid1->setEnabled(true);
    if (!selectCode.isEmpty()) {
        const int row = Data1.rowOfCode(selectCode);
        if (row >= 0) DBGrid1->setCurrentRow(row);
    }
    // Changing and deleting need a current row.
    for (QPushButton* b : {Command1, Command2, Command3}) {
        b->show();
        b->setEnabled(b == Command1 || DBGrid1->currentRow() >= 0);
    }
    Command4->setText(QString());
    Command4->hide();
    Command4->setEnabled(false);
    for (QLabel* l : {Label3, Label4, Label5, Label6}) {
        l->show();
        l->setEnabled(true);
    }
    Label7->hide();
    Text3->clear();
    for (QLineEdit* t : {Text1, Text2}) {
        t->show();
        t->setEnabled(true);
        t->setReadOnly(true);
    }
    setTextsBound(true);
    Label4->setText(QStringLiteral("(") + codeLengthText_ + QStringLiteral("桁)"));
    // The focus goes where the next step is: after adding, or in an empty table, to 新規作成 (so
    // Space starts the next code); otherwise to the grid, whose arrow keys pick the code to change
    // or delete. Left alone it would fall on 戻る, where Space closes the window.
    if (wasAdding || DBGrid1->rowCount() == 0) Command1->setFocus();
    else DBGrid1->setFocus();
}

void Form2f::refreshGrid()
{
    const bool read = app_.guard([&] { Data1.Refresh(); });
    QStringList columns = Data1.columns();
    if (!read || columns.isEmpty()) columns = {QStringLiteral("コード"), Combo1->itemText(slot_)};
    DBGrid1->setColumns(columns);
    DBGrid1->setRows(Data1.rows());
}

void Form2f::setTextsBound(bool bound)
{
    textsBound_ = bound;
    if (bound) showCurrentRow();
}

void Form2f::showCurrentRow()
{
    if (!textsBound_) return;
    const int row = DBGrid1->currentRow();
    Text1->setText(row < 0 ? QString() : DBGrid1->text(row, 0));
    Text2->setText(row < 0 ? QString() : DBGrid1->text(row, 1));
}
