#include "records/Form5kf.h"

#include "core/App.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/NamedControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

namespace {

QString typeCaption(const QString& typeWord)
{
    if (typeWord == QLatin1String("LONG")) return QStringLiteral("(数値)");
    if (typeWord == QLatin1String("CURRENCY")) return QStringLiteral("(金額)");
    if (typeWord == QLatin1String("DATE")) return QStringLiteral("(日付)");
    if (typeword::isCode(typeWord)) return QStringLiteral("(コード)");
    if (typeword::isText(typeWord)) return QStringLiteral("(文字)");
    return QString();
}

}  // namespace

Form5kf::Form5kf(App& app, int category, const SearchConditions& last)
    : app_(app), category_(std::clamp(category, 0, 5)), chosen_(last)
{
    setObjectName(QStringLiteral("Form5kf"));
    installHelpKey(*this, app_.ui());
    setModal(true);

    Label1 = NamedControls::label(this, "Label1", QStringLiteral("検索して開く  （レコードの選択）"), 240, 120, 6000, 330);

    Frame1 = NamedControls::frame(this, "Frame1", QStringLiteral("検索する項目"), 240, 600, 4800, 3900);
    for (int k = 0; k < 8; ++k) {
        auto* o = NamedControls::make<QRadioButton>(Frame1, QStringLiteral("Option1_%1").arg(k), 240, 330 + 420 * k,
                                                    4400, 330);
        NamedControls::onChosen(o, this, [this, k] { Option1_Click(k); });
        Option1.push_back(o);
    }

    Frame2 = NamedControls::frame(this, "Frame2", QStringLiteral("検索条件（金額、日付）"), 5280, 600, 3000, 1700);
    const QStringList comparisons = {QStringLiteral("検索文字と　一致"), QStringLiteral("検索文字より 大きい"),
                                     QStringLiteral("検索文字より 小さい")};
    for (int i = 0; i < 3; ++i) {
        auto* o = NamedControls::make<QRadioButton>(Frame2, QStringLiteral("Option2_%1").arg(i), 240,
                                                    330 + 420 * (2 - i), 2600, 330);
        o->setText(comparisons[i]);
        NamedControls::onChosen(o, this, [this, i] { Option2_Click(i); });
        Option2.push_back(o);
    }

    Label2 = NamedControls::label(this, "Label2", QStringLiteral("検索文字"), 240, 4700, 1000, 330);
    MaskEdBox1 = NamedControls::make<MaskedEdit>(this, "MaskEdBox1", 1300, 4660, 5000, 330);

    Check1 = NamedControls::make<QCheckBox>(this, "Check1", 1300, 5100, 6000, 330);
    Check1->setText(QStringLiteral("大/小文字、全角/半角、カナ/ひらがなを区別する"));
    connect(Check1, &QCheckBox::toggled, this, [this](bool on) { Check1_Click(on ? 1 : 0); });

    Command1 = NamedControls::button(this, "Command1", QStringLiteral("検　索"), 5280, 2500, 1400, 450);
    Command1->setDefault(true);  // Return in the search box searches
    connect(Command1, &QPushButton::clicked, this, &Form5kf::Command1_Click);
    Command2 = NamedControls::button(this, "Command2", QStringLiteral("ヘルプ"), 6880, 2500, 1400, 450);
    Command2->setAutoDefault(false);
    connect(Command2, &QPushButton::clicked, this, &Form5kf::Command2_Click);

    resize(text::twipsToPixels(8600), text::twipsToPixels(5700));
    Form_Load();
}

std::optional<SearchConditions> Form5kf::ask(App& app, int category)
{
    Form5kf search(app, category, app.lastSearch());
    app.ui().showModal(search);
    app.setLastSearch(search.chosen());
    return search.conditions();
}

void Form5kf::Form_Load()
{
    const ConfigCache& c = app_.cache;
    setWindowTitle(c.caption(QStringLiteral("レコード別検索条件")));
    for (QRadioButton* o : Option1) o->hide();
    for (QRadioButton* o : Option2) o->hide();
    Frame2->hide();
    Check1->hide();
    Check1->setChecked(false);
    MaskEdBox1->hide();
    MaskEdBox1->setText(QString());
    Command1->hide();

    chosen_.text.clear();
    chosen_.code.clear();
    chosen_.number = 0;
    chosen_.amount = 0;
    chosen_.date = QDate();
    conditions_.reset();

    const CategoryDefinition& row = c.row(category_);
    for (int k = 0; k < row.mainFieldCount && k < 8; ++k) {
        Option1[k]->show();
        Option1[k]->setText(row.mainFields[k].name + QStringLiteral(" ：") + typeCaption(row.mainFields[k].typeWord));
    }
    // The comparison is the one chosen last in this run, equality at first.
    if (chosen_.comparison >= 0 && chosen_.comparison < 3) {
        const QSignalBlocker quiet(Option2[chosen_.comparison]);
        Option2[chosen_.comparison]->setChecked(true);
    }
}

void Form5kf::Option1_Click(int k)
{
    chosen_.fieldIndex = k;
    Option1[k]->setChecked(true);
    Frame1->setEnabled(false);
    fieldChosen_ = true;
    const QString typeWord = app_.cache.row(category_).mainFields[k].typeWord;
    if (typeWord == QLatin1String("CURRENCY") || typeWord == QLatin1String("DATE")) {
        if (typeWord == QLatin1String("CURRENCY")) MaskEdBox1->setFormat(QStringLiteral("\\\\###,###,###,##0"));
        else MaskEdBox1->setMask(QStringLiteral("####/##/##"));
        Frame2->show();
        for (QRadioButton* o : Option2) o->show();
        chosen_.typeWord = typeWord;
    } else if (typeWord == QLatin1String("LONG") || typeword::isCode(typeWord)) {
        chosen_.typeWord = typeWord.left(4);
    } else if (typeword::isText(typeWord)) {
        Check1->show();
        chosen_.typeWord = QStringLiteral("TEXT");
    }
    Command1->show();
    MaskEdBox1->show();
    MaskEdBox1->setFocus();
}

void Form5kf::Option2_Click(int i)
{
    Option2[i]->setChecked(true);
    chosen_.comparison = i;
}

void Form5kf::Check1_Click(int value) { chosen_.caseMode = value; }

void Form5kf::refuse(const QString& message)
{
    app_.ui().msgBox(message, Ui::Buttons::Ok, Ui::Icon::None, QStringLiteral("ERROR"));
}

void Form5kf::Command1_Click()
{
    if (!fieldChosen_) return;
    SearchConditions& c = chosen_;
    const QString value = MaskEdBox1->text();
    // Only blanks count as nothing typed.
    if (text::isBlank(value)) return refuse(QStringLiteral("検索文字が入力されていません"));
    const QString& type = c.typeWord;
    if (type == QLatin1String("LONG")) {
        // What the numeric test accepts is converted: full-width digits, commas, a yen sign.
        const std::optional<double> n = text::parseNumber(value);
        const double whole = n ? static_cast<double>(text::roundHalfEven(*n)) : 0.0;
        if (!n || whole < -2147483648.0 || whole > 2147483647.0)
            return refuse(QStringLiteral("検索文字が数値ではありません"));
        c.number = static_cast<qint32>(whole);
    } else if (type == QLatin1String("CURRENCY")) {
        const std::optional<text::ParsedAmount> n = text::parseAmount(value);
        if (!n || !n->fits) return refuse(QStringLiteral("検索文字が数値ではありません"));
        c.amount = n->units;
    } else if (type == QLatin1String("DATE")) {
        if (MaskEdBox1->clipText().isEmpty()) return refuse(QStringLiteral("検索文字が入力されていません"));
        const std::optional<QDate> d = text::parseDate(value);
        if (!d) return refuse(QStringLiteral("検索文字が日付ではありません"));
        c.date = *d;
    } else if (type == QLatin1String("CODE")) {
        c.code = value;
    } else if (type == QLatin1String("TEXT")) {
        c.text = value;
        c.caseMode = Check1->isChecked() ? 1 : 0;
    }
    conditions_ = c;
    accept();
}

void Form5kf::Command2_Click() { app_.ui().sendHelpKey(*this); }
