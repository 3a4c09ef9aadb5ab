#include "records/RecordEditor.h"

#include "core/App.h"
#include "core/CodeStore.h"
#include "core/FieldDisplay.h"
#include "core/FieldRule.h"
#include "core/RecordStore.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/NamedControls.h"
#include "records/FieldBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <optional>

namespace {

// Layout in twips.
constexpr int kFirstRowTop = 1080;
constexpr int kRowStep = 420;
constexpr int kRowHeight = 330;
constexpr int kBoxLeft = 3450;
constexpr int kButtonTop = kFirstRowTop + 8 * kRowStep + 180;

const QString kCodePrompt = QStringLiteral("コードを選択して下さい");
const QString kNamePrompt = QStringLiteral("コード名を選択して下さい");

QAction* addItem(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

QString codeTable(int n) { return QStringLiteral("CODE%1").arg(n); }

}  // namespace

RecordEditor::RecordEditor(App& a, int category, const QString& objectName, const QString& windowName,
                           const QString& codeCaption)
    : app(a), category(std::clamp(category, 0, 5))
{
    setObjectName(objectName);
    installHelpKey(*this, app.ui());
    setWindowTitle(app.cache.caption(windowName));
    client = new QWidget(this);
    client->setObjectName(objectName + QStringLiteral("Client"));
    setCentralWidget(client);

    Label2 = label(client, "Label2", QString(), 240, 120, 6000);
    Label3 = label(client, "Label3", QString(), 6600, 120, 2000);
    Label10 = label(client, "Label10", QStringLiteral("登録ＮＯ"), 240, 600, 1000);
    Text2 = keyBox(client, "Text2", 1300);
    keepHeading = label(client, "", QStringLiteral("データを残す"), 9100, 600, 1400);
    keepHeading->hide();
    buildFields();

    Command1 = NamedControls::make<QPushButton>(client, "Command1", 3000, kButtonTop, 2200, 450);
    Command2 = NamedControls::make<QPushButton>(client, "Command2", 5600, kButtonTop, 2200, 450);
    connect(Command1, &QPushButton::clicked, this, &RecordEditor::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &RecordEditor::Command2_Click);

    // Tab walks the values (and their lists) first, then the keep-data boxes, then the buttons.
    std::vector<QWidget*> chain;
    for (int k = 0; k < 8; ++k) chain.insert(chain.end(), {MaskEdBox1[k], Combo1[k]});
    chain.insert(chain.end(), Check1.begin(), Check1.end());
    chain.insert(chain.end(), {Command1, Command2});
    NamedControls::chainTabs(chain);

    buildMenus(codeCaption);
    me13->setEnabled(!app.ui().clipboardText().isEmpty());
    resize(text::twipsToPixels(10800), text::twipsToPixels(kButtonTop + 700) + menuBar()->sizeHint().height());
}

RecordEditor::~RecordEditor() = default;

QLabel* RecordEditor::label(QWidget* parent, const char* name, const QString& caption, int left, int top, int width)
{
    return NamedControls::label(parent, name, caption, left, top, width, kRowHeight);
}

QLineEdit* RecordEditor::keyBox(QWidget* parent, const char* name, int left)
{
    // The key of the edited row is shown, never typed: a changed number would store the
    // values over another record.
    auto* e = NamedControls::make<QLineEdit>(parent, name, left, 560, 1200, kRowHeight);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);  // can be selected and copied, but Tab passes it by
    QPalette p = e->palette();
    p.setColor(QPalette::Base, QColor(224, 224, 224));
    e->setPalette(p);
    return e;
}

void RecordEditor::buildFields()
{
    for (int k = 0; k < 8; ++k) {
        const int top = kFirstRowTop + kRowStep * k;
        const QString suffix = QStringLiteral("_%1").arg(k);
        auto* name = NamedControls::make<QLabel>(client, QStringLiteral("Label1") + suffix, 240, top, 2000, kRowHeight);
        auto* type =
            NamedControls::make<QLabel>(client, QStringLiteral("Label4") + suffix, 2300, top, 1080, kRowHeight);
        type->setAlignment(Qt::AlignCenter);
        type->installEventFilter(this);
        auto* box = NamedControls::make<MaskedEdit>(client, QStringLiteral("MaskEdBox1") + suffix, kBoxLeft, top,
                                                    FieldBox::kWideWidth, kRowHeight);
        auto* list = NamedControls::make<QComboBox>(client, QStringLiteral("Combo1") + suffix,
                                                    kBoxLeft + FieldBox::kListWidth + 60, top, 4200, kRowHeight);
        auto* keep =
            NamedControls::make<QCheckBox>(client, QStringLiteral("Check1") + suffix, 9600, top, 300, kRowHeight);
        for (QWidget* w : {static_cast<QWidget*>(name), static_cast<QWidget*>(type), static_cast<QWidget*>(box),
                           static_cast<QWidget*>(list), static_cast<QWidget*>(keep)})
            w->hide();

        connect(list, &QComboBox::activated, this, [this, k] { Combo1_Click(k); });
        connect(box, &MaskedEdit::validationError, this,
                [this, k](const QString& invalid) { MaskEdBox1_ValidationError(k, invalid); });
        Label1.push_back(name);
        Label4.push_back(type);
        MaskEdBox1.push_back(box);
        Combo1.push_back(list);
        Check1.push_back(keep);
        boxes_.emplace_back(name, type, box, list, keep);
    }
}

void RecordEditor::buildMenus(const QString& codeCaption)
{
    QMenuBar* bar = menuBar();
    mf1 = bar->addMenu(QStringLiteral("ファイル(&F)"));
    mf1->setObjectName(QStringLiteral("mf1"));
    mf15 = addItem(mf1, QStringLiteral("mf15"), QStringLiteral("閉じる(&C)"));
    me1 = bar->addMenu(QStringLiteral("編集(&E)"));
    me1->setObjectName(QStringLiteral("me1"));
    me11 = addItem(me1, QStringLiteral("me11"), QStringLiteral("切り取り(&T)"));
    me12 = addItem(me1, QStringLiteral("me12"), QStringLiteral("コピー(&C)"));
    me13 = addItem(me1, QStringLiteral("me13"), QStringLiteral("貼り付け(&P)"));
    mh1 = bar->addAction(QStringLiteral("ヘルプ(&H)"));
    mh1->setObjectName(QStringLiteral("mh1"));

    CDTBL = NamedControls::popupMenu(this, QStringLiteral("CDTBL"), QStringLiteral("コード・テーブル"));
    mcd0 = addItem(CDTBL, QStringLiteral("mcd0"), QStringLiteral("[コード・テーブルを選択する]"));
    for (int i = 0; i < 8; ++i)
        mcd1.push_back(addItem(CDTBL, QStringLiteral("mcd1_%1").arg(i), codeCaption + QString::number(i + 1)));

    connect(mf15, &QAction::triggered, this, &RecordEditor::mf15_Click);
    connect(me11, &QAction::triggered, this, &RecordEditor::me11_Click);
    connect(me12, &QAction::triggered, this, &RecordEditor::me12_Click);
    connect(me13, &QAction::triggered, this, &RecordEditor::me13_Click);
    connect(mh1, &QAction::triggered, this, &RecordEditor::mh1_Click);
}

// ---- opening ----

void RecordEditor::prepareFields(EditorMode mode, const QString& heading, const std::array<FieldDefinition, 8>& fields,
                                 int count, const QString& table, const QStringList& values)
{
    mode_ = mode;
    // An editor opening reads its code lists afresh.
    keptCodes_.clear();
    count_ = std::clamp(count, 0, 8);
    fields_ = fields;
    values_ = values;
    table_ = text::Trim(table);
    Label2->setText(heading);
    switch (mode) {
    case EditorMode::New:
        Label3->setText(QStringLiteral("新規作成"));
        Command1->setText(QStringLiteral("新規作成　ＯＫ"));
        Command2->setText(QStringLiteral("終　了"));
        break;
    case EditorMode::Change:
        Label3->setText(QStringLiteral("変更"));
        Command1->setText(QStringLiteral("変更　ＯＫ"));
        Command2->setText(QStringLiteral("キャンセル"));
        break;
    case EditorMode::Delete:
        Label3->setText(QStringLiteral("削除"));
        Command1->setText(QStringLiteral("削除　ＯＫ"));
        Command2->setText(QStringLiteral("キャンセル"));
        break;
    }
    keepHeading->setVisible(mode == EditorMode::New);

    for (int k = 0; k < 8; ++k) {
        if (k >= count_) {
            for (QWidget* w : {static_cast<QWidget*>(Label1[k]), static_cast<QWidget*>(Label4[k]),
                               static_cast<QWidget*>(MaskEdBox1[k]), static_cast<QWidget*>(Combo1[k]),
                               static_cast<QWidget*>(Check1[k])})
                w->hide();
            continue;
        }
        const FieldDefinition& def = fields[k];
        boxes_[k].setUp(def, app.cache.codeLengthOf(typeword::codeTableNumber(def.typeWord)), mode);
        currentField = k;
        fillLists(k);
        if (mode != EditorMode::New) boxes_[k].setValue(values.value(k));
        if (mode == EditorMode::Delete) Combo1[k]->setEnabled(false);
    }
    currentField = 0;
    Text2->setEnabled(mode != EditorMode::Delete);
    // Typing starts in the first field.
    if (mode != EditorMode::Delete && count_ > 0) MaskEdBox1[0]->setFocus();
}

void RecordEditor::fillLists(int k)
{
    const FieldBox& f = boxes_[k];
    if (f.kind() == FieldBox::Kind::Code) SubCode(f.definition().typeWord);
    else if (f.kind() == FieldBox::Kind::TextDirect) SubCodeb(codeTable(f.codeTable()));
}

// ---- code lists ----

QStringList RecordEditor::readCodes(const QString& table, bool withNames)
{
    const qint64 version = app.cache.row(ConfigCache::kSystemRow).lastRegistrationNo;
    auto kept = keptCodes_.find(table);
    if (kept == keptCodes_.end() || kept->second.version != version) {
        KeptCodes read{version, {}};
        Database db = app.openDatabase();
        for (Recordset rs = db.openTable(table); !rs.eof(); rs.moveNext())
            read.rows.emplace_back(rs.field(0).toString(), rs.field(1).toString());
        kept = keptCodes_.insert_or_assign(table, std::move(read)).first;
    }
    QStringList items;
    for (const auto& [code, name] : kept->second.rows) items << (withNames ? code + QStringLiteral("  ") + name : name);
    return items;
}

void RecordEditor::noteStoredCode(const QString& table, const QString& code, const std::optional<QString>& name)
{
    const auto kept = keptCodes_.find(table);
    if (kept == keptCodes_.end()) return;
    const auto& rows = kept->second.rows;
    const auto row = std::find_if(rows.begin(), rows.end(), [&code](const auto& r) { return r.first == code; });
    const bool same = row == rows.end() ? !name : name && row->second == *name;
    if (!same) keptCodes_.erase(kept);
}

void RecordEditor::SubCode(const QString& table)
{
    app.guard([&] { boxes_[currentField].showList(readCodes(table, true), kCodePrompt); });
}

void RecordEditor::SubCodeb(const QString& table)
{
    app.guard([&] {
        FieldBox& f = boxes_[currentField];
        f.showList(readCodes(table, false), kNamePrompt);
        Combo1[currentField]->update();
        f.setBoxWidth(FieldBox::kListWidth);
    });
}

void RecordEditor::Combo1_Click(int k)
{
    currentField = k;
    QComboBox* list = Combo1[k];
    if (list->currentIndex() < 0) return;
    FieldBox& f = boxes_[k];
    const QString caption = Label4[k]->text();
    if (FieldBox::isTextCaption(caption)) {
        f.box()->setText(list->currentText());
        f.closeList();
    } else {
        const int length = app.cache.codeLengthOf(FieldBox::codeTableOfCaption(caption));
        f.box()->setText(list->currentText().left(length));
    }
}

void RecordEditor::MenuCode()
{
    for (int i = 1; i <= 8; ++i) {
        const QString name = app.cache.codeTableNameOf(i);
        if (!text::isBlank(name)) {
            mcd1[i - 1]->setText(text::Trim(name));
            mcd1[i - 1]->setEnabled(true);
        } else {
            mcd1[i - 1]->setEnabled(false);
        }
    }
}

void RecordEditor::Label4_MouseDown(int k, Qt::MouseButton button, const QPoint& globalPos)
{
    currentField = k;
    const QString caption = Label4[k]->text();
    if (button != Qt::RightButton || !FieldBox::isTextCaption(caption)) return;
    if (const int n = FieldBox::codeTableOfCaption(caption)) {
        SubCodeb(codeTable(n));
    } else {
        MenuCode();
        QAction* chosen = app.ui().popupMenu(*CDTBL, globalPos);
        for (int i = 0; i < 8; ++i)
            if (chosen && chosen == mcd1[i]) mcd1_Click(i);
    }
    update();
}

void RecordEditor::mcd1_Click(int i)
{
    if (!text::isBlank(app.cache.codeTableNameOf(i + 1))) SubCodeb(codeTable(i + 1));
}

bool RecordEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (int k = 0; k < 8; ++k) {
            if (watched == Label4[k]) {
                auto* me = static_cast<QMouseEvent*>(event);
                Label4_MouseDown(k, me->button(), me->globalPosition().toPoint());
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- checks ----

int RecordEditor::LenMbcs(const QString& s) { return text::LenMbcs(s); }

void RecordEditor::errorMessage(const QString& text)
{
    app.ui().msgBox(text, Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
}

int RecordEditor::codeLength(int k) const
{
    return app.cache.codeLengthOf(FieldBox::codeTableOfCaption(Label4[k]->text()));
}

bool RecordEditor::checkFields()
{
    checked_.clear();
    CodeStore codes(app.cache);
    const fieldrule::CodeLookup lookup = [this, &codes](const QString& table, const QString& code) {
        std::optional<QString> name = codes.nameOf(table, code);
        noteStoredCode(table, code, name);
        return name;
    };
    for (int k = 0; k < count_; ++k) {
        currentField = k;
        const QString value = MaskEdBox1[k]->text();
        fieldrule::Checked checked;
        if (!app.guard([&] { checked = fieldrule::check(boxes_[k].definition().typeWord, value, codeLength(k), lookup); }))
            return false;
        const QString reason = fieldrule::reason(checked.fault, Label1[k]->text(), value);
        switch (checked.fault) {
        case fieldrule::Fault::None:
        case fieldrule::Fault::NotNumber:
        case fieldrule::Fault::NotDate:  // a number or a date is refused as its text is taken
            checked_.push_back(std::move(checked));
            continue;
        case fieldrule::Fault::CodeWithoutName: break;  // a code whose name is empty stops without a word
        case fieldrule::Fault::CodeLength: errorMessage(value + QStringLiteral("  ") + reason); break;
        default: errorMessage(reason); break;
        }
        focusRefused(k);
        return false;
    }
    return true;
}

void RecordEditor::typeMessage(int k, const QString& shown)
{
    app.ui().msgBox(fieldrule::reason(fieldrule::Fault::NotNumber, Label1[k]->text(), shown) + QStringLiteral("[ ") +
                        shown + QStringLiteral(" ]"),
                    Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("データ型相違"));
}

void RecordEditor::MaskEdBox1_ValidationError(int k, const QString& invalidText) { typeMessage(k, invalidText); }

void RecordEditor::focusRefused(int k)
{
    // The refused box is the one to mend: what it holds is selected, so typing replaces it.
    MaskedEdit* box = MaskEdBox1[k];
    box->setFocus();
    box->selectAll();
}

// ---- writing ----

std::optional<QStringList> RecordEditor::fieldTexts()
{
    // The texts are those the OK button's checks passed, taken once; a store asked for
    // without them checks first.
    if (checked_.size() != size_t(count_) && !checkFields()) return std::nullopt;
    const std::vector<fieldrule::Checked> checked = std::move(checked_);
    checked_.clear();
    QStringList texts;
    for (int k = 0; k < count_; ++k) {
        MaskedEdit* box = MaskEdBox1[k];
        if (fieldrule::isTypeFault(checked[size_t(k)].fault)) {
            typeMessage(k, box->text());
            focusRefused(k);
            return std::nullopt;
        }
        const std::optional<QString> exact = unchangedAmount(k);
        box->setText(checked[size_t(k)].stored);
        texts << exact.value_or(box->text());
    }
    return texts;
}

std::optional<QString> RecordEditor::unchangedAmount(int k) const
{
    // The amount box shows whole yen: storing what it shows would round away the fraction of
    // an amount the person did not touch, or lift the largest amount past what the column holds.
    if (mode_ != EditorMode::Change || !shown || size_t(k) >= shown->size() || k >= openedTexts_.size())
        return std::nullopt;
    const Value& stored = (*shown)[size_t(k)];
    if (boxes_[k].kind() != FieldBox::Kind::Currency || stored.kind() != Value::Kind::Currency) return std::nullopt;
    if (MaskEdBox1[k]->text() != openedTexts_[k]) return std::nullopt;
    return stored.toString();
}

qint64 RecordEditor::keyOf(const QLineEdit* box)
{
    const std::optional<double> n = text::parseNumber(box->text());
    return n ? text::roundHalfEven(*n) : 0;
}

bool RecordEditor::showStoredRow(const std::function<std::optional<std::vector<Value>>(RecordStore&)>& read)
{
    shown.reset();
    std::optional<std::vector<Value>> stored;
    // A row that cannot be read is not changed unseen: the opening fails with the reason.
    if (!app.guard([&] {
            RecordStore store(app.cache);
            stored = read(store);
        }))
        return false;
    if (!stored) {
        app.ui().msgBox(QStringLiteral("このレコードは、一覧に表示した後に他の端末で削除されています。"), Ui::Buttons::Ok,
                        Ui::Icon::Exclamation, QStringLiteral("Error"));
        return false;
    }
    shown = stored;
    QStringList storedTexts;
    bool differs = false;
    for (int k = 0; k < count_; ++k) {
        const Value v = size_t(k) < stored->size() ? (*stored)[size_t(k)] : Value::null();
        storedTexts << FieldDisplay::listText(v, fields_[size_t(k)].typeWord);
        if (boxes_[k].boxTextOf(storedTexts.back()) != boxes_[k].boxTextOf(values_.value(k))) differs = true;
    }
    if (differs) prepareFields(mode_, Label2->text(), fields_, count_, table_, storedTexts);
    openedTexts_.clear();
    for (int k = 0; k < count_; ++k) openedTexts_ << MaskEdBox1[k]->text();
    if (!differs) return true;
    app.ui().msgBox(QStringLiteral("このレコードは、一覧に表示した後に他の端末で変更されています。登録されている内容を表示します。"),
                    Ui::Buttons::Ok, Ui::Icon::Information, QStringLiteral("在庫管理"));
    return true;
}

bool RecordEditor::addRecord()
{
    // A value the editor cannot take still uses up the number; what was typed stays for the
    // person to mend, under the next number.
    const std::optional<QStringList> texts = fieldTexts();
    RecordStore store(app.cache);
    qint64 number = 0;
    if (!app.guard([&] { number = storeNew(store, texts); })) return false;
    if (!texts) {
        showNextNumber();
        return false;
    }
    storedNumber_ = number;
    return true;
}

bool RecordEditor::updateRecord()
{
    const std::optional<QStringList> texts = fieldTexts();
    if (!texts) return false;
    RecordStore store(app.cache);
    qint64 number = 0;
    if (!app.guard([&] { number = storeChange(store, *texts); })) return false;
    storedNumber_ = number;
    return true;
}

bool RecordEditor::deleteRecord()
{
    const Ui::Answer answer = app.ui().msgBox(QStringLiteral("このレコードを削除しますか？"), Ui::Buttons::OkCancel,
                                              Ui::Icon::None, QStringLiteral("削除の確認"));
    if (answer != Ui::Answer::Ok) return true;
    RecordStore store(app.cache);
    return app.guard([&] { storeRemove(store); });
}

// ---- buttons and menus ----

void RecordEditor::Command1_Click()
{
    if (mode_ == EditorMode::Delete) {
        if (deleteRecord()) finish();
        return;
    }
    if (!checkFields()) return;
    if (mode_ == EditorMode::Change) {
        if (updateRecord()) finish();
        return;
    }
    if (!addRecord()) return;  // nothing stored; the input stays for another try
    int firstCleared = -1;
    for (int k = 0; k < count_; ++k) {
        if (Check1[k]->isChecked()) continue;
        currentField = k;
        boxes_[k].resetForNext();
        fillLists(k);
        if (firstCleared < 0) firstCleared = k;
    }
    showNextNumber();
    // The next entry starts in the first field that was cleared.
    if (firstCleared >= 0) MaskEdBox1[firstCleared]->setFocus();
}

void RecordEditor::finish()
{
    repaintRequested_ = true;
    emit repaintListRequested();
    close();
}

void RecordEditor::Command2_Click()
{
    if (mode_ == EditorMode::New) finish();
    else close();
}

void RecordEditor::mf15_Click() { Command2_Click(); }

void RecordEditor::copySelections(bool cut)
{
    bool first = true;
    for (int k = 0; k < count_; ++k) {
        MaskedEdit* box = MaskEdBox1[k];
        const QString selected = box->selectedText();
        if (selected.isEmpty()) continue;
        if (first) app.ui().clearClipboard();
        first = false;
        app.ui().setClipboardText(selected);
        if (cut) box->del();
        me13->setEnabled(true);
    }
}

void RecordEditor::me11_Click() { copySelections(true); }
void RecordEditor::me12_Click() { copySelections(false); }

void RecordEditor::me13_Click()
{
    const QString clip = app.ui().clipboardText();
    if (clip.isEmpty()) return;
    auto* target = qobject_cast<QLineEdit*>(focusWidget());
    if (target && !target->isReadOnly()) target->insert(clip);
}

void RecordEditor::mh1_Click() { app.ui().sendHelpKey(*this); }
