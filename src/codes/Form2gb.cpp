#include "codes/Form2gb.h"

#include "core/App.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/Twips.h"
#include "core/CodeStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

const QString kDirect = QStringLiteral("ダイレクト");
const QString kRightClick = QStringLiteral("右クリック");

constexpr int kWindowWidth = 13000;
constexpr int kRowStep = 385;
constexpr int kFirstRowTop = 2900;
// Columns of the rows, the pickers beside the ticked row, and the buttons.
constexpr int kNameLeft = 240;
constexpr int kTableLeft = 3800;
constexpr int kModeLeft = 6800;
constexpr int kCheckLeft = 8700;
constexpr int kPickerLeft = 9800;
constexpr int kButtonLeft = 11300;

int rowTop(int row) { return kFirstRowTop + kRowStep * (row - 1); }

QLineEdit* lockedBox(QWidget* parent, const QString& name, int left, int top, int width)
{
    auto* t = NamedControls::make<QLineEdit>(parent, name, left, top, width, 330);
    t->setReadOnly(true);
    return t;
}

}  // namespace

Form2gb::Form2gb(App& app, int category, bool sub)
    : app_(app), category_(category >= 0 && category < 6 ? category : -1), sub_(sub),
      watch_(app.cache, [this] { showStored(); })
{
    setObjectName(QStringLiteral("Form2gb"));
    installHelpKey(*this, app_.ui());
    setFixedSize(text::twipsToPixels(kWindowWidth), text::twipsToPixels(6000));

    Label1 = NamedControls::heading(this, "Label1", QStringLiteral("コード・テーブル利用登録"), 240, 120, 5000, 450);
    Label4 = NamedControls::label(this, "Label4", QStringLiteral("(ファイル項目に登録)"), 5400, 200, 3000);
    Label11 = NamedControls::label(this, "Label11", QStringLiteral("種目ファイル"), 240, 700, 1400);
    Text4 = lockedBox(this, QStringLiteral("Text4"), 1700, 660, 3300);
    Text5 = lockedBox(this, QStringLiteral("Text5"), 5100, 660, 1400);

    Label2 = NamedControls::label(this, "Label2", QStringLiteral("利用方法"), 240, 1100, 1400);
    Label3 = NamedControls::label(this, "Label3",
                                  QStringLiteral("ダイレクト：　利用するコード・テーブルをデータ入力行に直接表示する。"), 600,
                                  1370, 12100);
    Label5 = NamedControls::label(this, "Label5",
                                  QStringLiteral("右クリック：　データ入力行をマウスの右クリックによりコード・テーブルを表示する。"),
                                  600, 1640, 12100);
    Label6 = NamedControls::label(this, "Label6",
                                  QStringLiteral("（なお、利用登録しないＴＥＸＴ形式(文字)は、データ入力行を右クリックすると"
                                                 "コード・テーブル一覧表が表示されるので、利用するコード・テーブルを選択すれば"
                                                 "該当のコード・テーブルが表示される。）"),
                                  600, 1910, 12100, 520);
    Label6->setWordWrap(true);

    Label8 = NamedControls::label(this, "Label8", QStringLiteral("フィールド（項目)名称"), kNameLeft, 2620, 3400);
    Label9 = NamedControls::label(this, "Label9", QStringLiteral("登録コード・テーブル"), kTableLeft, 2620, 2800);
    Label10 = NamedControls::label(this, "Label10", QStringLiteral("利用方法"), kModeLeft, 2620, 1700);
    Label7 = NamedControls::label(this, "Label7", QStringLiteral("登録・変更"), kCheckLeft - 200, 2620, 1200);
    Text1.assign(9, nullptr);
    Text2.assign(9, nullptr);
    Text3.assign(9, nullptr);
    Check1.assign(9, nullptr);
    rowField_.assign(9, -1);
    createRow(1);

    // The pickers appear beside the row whose "登録・変更" was ticked.
    Combo1 = NamedControls::make<QComboBox>(this, "Combo1", kPickerLeft, rowTop(1), 3000, 330);
    Combo1->setPlaceholderText(QStringLiteral("コード・テーブルを選択する。"));
    Combo1->hide();
    Combo2 = NamedControls::make<QComboBox>(this, "Combo2", kPickerLeft, rowTop(1) + kRowStep, 3000, 330);
    Combo2->setPlaceholderText(QStringLiteral("利用方法を選択"));
    Combo2->hide();

    Command1 = NamedControls::button(this, "Command1", QStringLiteral("登録"), kButtonLeft, 4320, 1200);
    Command2 = NamedControls::button(this, "Command2", QStringLiteral("戻る"), kButtonLeft, 5000, 1200);

    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    connect(Command1, &QPushButton::clicked, this, &Form2gb::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2gb::Command2_Click);

    Form_Load();
}

void Form2gb::createRow(int row)
{
    Text1[row] = lockedBox(this, QStringLiteral("Text1_%1").arg(row), kNameLeft, rowTop(row), 3400);
    Text2[row] = lockedBox(this, QStringLiteral("Text2_%1").arg(row), kTableLeft, rowTop(row), 2800);
    Text3[row] = lockedBox(this, QStringLiteral("Text3_%1").arg(row), kModeLeft, rowTop(row), 1700);
    auto* k =
        NamedControls::make<QCheckBox>(this, QStringLiteral("Check1_%1").arg(row), kCheckLeft, rowTop(row), 400, 330);
    connect(k, &QCheckBox::toggled, this, [this, row] { Check1_Click(row); });
    Check1[row] = k;
    NamedControls::nameInputs(*this);
}

void Form2gb::clearRow(int row)
{
    const QSignalBlocker quiet(Check1[row]);
    Check1[row]->setChecked(false);
    for (QLineEdit* t : {Text1[row], Text2[row], Text3[row]}) {
        t->clear();
        t->setReadOnly(true);
    }
    rowField_[row] = -1;
}

bool Form2gb::isMainFile() const { return !sub_; }

int Form2gb::fieldOfRow(int row) const { return row >= 1 && row <= rows_ ? rowField_[row] : -1; }

void Form2gb::Form_Load()
{
    showStored();
    if (rows_ == 0)
        app_.ui().msgBox(QStringLiteral("この種目ファイルには利用登録できるフィールドがありません"), Ui::Buttons::Ok,
                         Ui::Icon::Critical, QStringLiteral("ERROR"));
}

void Form2gb::showStored()
{
    const ConfigCache& c = app_.cache;
    setWindowTitle(c.caption(QStringLiteral("コード・テーブル利用登録(2)")));
    clearRow(1);
    Text4->setText(category_ >= 0 ? c.row(category_).name : QString());
    Text5->setText(isMainFile() ? QStringLiteral("メイン") : QStringLiteral("サブ"));
    move(text::twipsToPixels(app_.layout().schemaWindowLeft), text::twipsToPixels(app_.layout().schemaWindowTop));

    for (int row = 2; row <= 8; ++row) {
        if (!Text1[row]) createRow(row);
        clearRow(row);
    }

    rows_ = 0;
    lastRow_ = 0;
    if (category_ >= 0) {
        const CategoryDefinition& d = c.row(category_);
        const int count = isMainFile() ? d.mainFieldCount : d.subFieldCount;
        const auto& fields = isMainFile() ? d.mainFields : d.subFields;
        for (int f = 0; f < count && f < 8; ++f) {
            const QString& word = fields[f].typeWord;
            if (!typeword::isText(word)) continue;
            const int r = ++rows_;
            rowField_[r] = f;
            Text1[r]->setText(fields[f].name);
            if (const int k = typeword::codeTableNumber(word)) {
                Text2[r]->setText(text::Trim(c.codeTableNameOf(k)));
                Text3[r]->setText(word.mid(5, 1) == QLatin1String("D") ? kDirect : kRightClick);
            }
        }
    }

    Combo1->hide();
    Combo2->hide();
    if (rows_ == 0) {
        // Only the first row shows, empty, with nothing to tick.
        Check1[1]->setEnabled(false);
        layoutFor(1);
        return;
    }
    Check1[1]->setEnabled(true);
    Combo1->clear();
    for (int k = 1; k <= 8; ++k) Combo1->addItem(text::Trim(c.codeTableNameOf(k)));
    Combo1->setCurrentIndex(-1);
    Combo2->clear();
    Combo2->addItems({kDirect, kRightClick});
    Combo2->setCurrentIndex(-1);
    layoutFor(rows_);
}

void Form2gb::layoutFor(int rows)
{
    const int extra = kRowStep * (rows - 1);
    setFixedHeight(text::twipsToPixels(6000 + extra));
    setTopTwips(*Command1, 4320 + extra);
    setTopTwips(*Command2, 5000 + extra);
    for (int row = 2; row <= 8; ++row) {
        const bool shown = row <= rows;
        for (QWidget* w : {static_cast<QWidget*>(Text1[row]), static_cast<QWidget*>(Text2[row]),
                           static_cast<QWidget*>(Text3[row]), static_cast<QWidget*>(Check1[row])})
            w->setVisible(shown);
    }
}

void Form2gb::orderTabs()
{
    // The pickers follow the ticked row's box, so the keyboard goes on to them.
    std::vector<QWidget*> chain;
    for (int row = 1; row < int(Text1.size()) && Text1[row]; ++row) {
        chain.insert(chain.end(), {Text1[row], Text2[row], Text3[row], Check1[row]});
        if (row == lastRow_) chain.insert(chain.end(), {Combo1, Combo2});
    }
    chain.insert(chain.end(), {Command1, Command2});
    NamedControls::chainTabs(chain);
}

void Form2gb::Check1_Click(int row)
{
    if (row < 1 || row > rows_) return;
    if (Check1[row]->isChecked()) {
        lastRow_ = row;
        Text2[row]->setReadOnly(false);
        Text3[row]->setReadOnly(false);
        setTopTwips(*Combo1, rowTop(row));
        setTopTwips(*Combo2, rowTop(row) + kRowStep);
        Combo1->setCurrentIndex(-1);
        Combo2->setCurrentIndex(-1);
        Combo1->show();
        Combo2->show();
        orderTabs();
    } else {
        Text2[row]->clear();
        Text3[row]->clear();
        Text2[row]->setReadOnly(true);
        Text3[row]->setReadOnly(true);
        Combo1->hide();
        Combo2->hide();
    }
    update();
}

void Form2gb::Combo1_Click()
{
    if (lastRow_ < 1 || lastRow_ > rows_ || Combo1->currentIndex() < 0) return;
    const QString name = text::Trim(Combo1->currentText());
    if (name.isEmpty()) return;
    Text2[lastRow_]->setText(name);
    Text2[lastRow_]->setReadOnly(true);
    Combo1->hide();
}

void Form2gb::Combo2_Click()
{
    if (lastRow_ < 1 || lastRow_ > rows_ || Combo2->currentIndex() < 0) return;
    Text3[lastRow_]->setText(text::Trim(Combo2->currentText()));
    Text3[lastRow_]->setReadOnly(true);
    Combo2->hide();
}

QString Form2gb::typeWordOf(int row, const QString& current) const
{
    const QString table = text::Trim(Text2[row]->text());
    if (table.isEmpty()) return QStringLiteral("TEXT");
    for (int k = 1; k <= 8; ++k) {
        if (text::Trim(app_.cache.codeTableNameOf(k)) != table) continue;
        const bool direct = text::Trim(Text3[row]->text()) == kDirect;
        return QStringLiteral("TEXT%1%2").arg(k).arg(direct ? QLatin1Char('D') : QLatin1Char('C'));
    }
    // A name that is no code table leaves the field as it was.
    return current;
}

void Form2gb::Command1_Click()
{
    // Without rows there is nothing to store.
    if (category_ < 0 || rows_ == 0) {
        accept();
        return;
    }
    // Every row's word and the management row are stored together, or the cache is put
    // back as it was.
    const CategoryDefinition& d = app_.cache.row(category_);
    const auto& fields = isMainFile() ? d.mainFields : d.subFields;
    std::vector<std::pair<int, QString>> words;
    for (int r = 1; r <= rows_; ++r) words.emplace_back(rowField_[r], typeWordOf(r, fields[rowField_[r]].typeWord));
    const bool stored = app_.guard([&] { CodeStore(app_.cache).linkFields(category_, !isMainFile(), words); });
    if (stored) accept();
}

void Form2gb::Command2_Click() { reject(); }
