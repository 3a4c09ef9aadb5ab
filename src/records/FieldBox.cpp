#include "records/FieldBox.h"

#include "platform/text/TextUtil.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace {

const QString kDateMask = QStringLiteral("####/##/##");
// Amounts: zero shows "¥0" when entering and deleting, "¥" alone when changing.
const QString kYenWithZero = QStringLiteral("\\\\###,###,###,##0");
const QString kYenBlankZero = QStringLiteral("\\\\###,###,###,###");
const QString kTextTip = QStringLiteral("右クリックで、コード・テーブル一覧を表示する。");
const QString kLinkedTextTip = QStringLiteral("右クリックで、指定されたコード名リストを表示する。");
const QString kTextCaption = QStringLiteral("(文字)");

bool isTextKind(FieldBox::Kind k)
{
    return k == FieldBox::Kind::Text || k == FieldBox::Kind::TextRightClick || k == FieldBox::Kind::TextDirect;
}

}  // namespace

FieldBox::Kind FieldBox::kindOf(const QString& typeWord)
{
    if (typeWord == QLatin1String("LONG")) return Kind::Long;
    if (typeWord == QLatin1String("CURRENCY")) return Kind::Currency;
    if (typeWord == QLatin1String("DATE")) return Kind::Date;
    if (typeword::isCode(typeWord)) return Kind::Code;
    if (typeword::codeTableNumber(typeWord) == 0) return Kind::Text;
    return typeword::isDirectText(typeWord) ? Kind::TextDirect : Kind::TextRightClick;
}

QString FieldBox::typeCaption(const QString& typeWord)
{
    switch (kindOf(typeWord)) {
    case Kind::Long: return QStringLiteral("(数値)");
    case Kind::Currency: return QStringLiteral("(金額)");
    case Kind::Date: return QStringLiteral("(日付)");
    case Kind::Code: return typeWord;
    case Kind::Text: return kTextCaption;
    case Kind::TextRightClick:
    case Kind::TextDirect: return kTextCaption + typeWord.mid(4, 2);
    }
    return kTextCaption;
}

bool FieldBox::isTextCaption(const QString& caption) { return caption.startsWith(kTextCaption); }

int FieldBox::codeTableOfCaption(const QString& caption)
{
    // The fifth character of "CODE3" or "(文字)3C" is the code table number.
    if (caption.size() < 5) return 0;
    const int n = caption.at(4).digitValue();
    return n >= 1 && n <= 8 ? n : 0;
}

FieldBox::FieldBox(QLabel* name, QLabel* type, MaskedEdit* box, QComboBox* list, QCheckBox* keep)
    : name_(name), type_(type), box_(box), list_(list), keep_(keep)
{
}

void FieldBox::setBoxWidth(int twips)
{
    boxWidth_ = twips;
    setWidthTwips(*box_, twips);
}

void FieldBox::setCaption()
{
    type_->setText(typeCaption(def_.typeWord));
    if (kind_ == Kind::Text) type_->setToolTip(kTextTip);
    else if (kind_ == Kind::TextRightClick) type_->setToolTip(kLinkedTextTip);
    else type_->setToolTip(QString());
}

void FieldBox::shapeBox(const QString& currencyFormat, bool narrowNumber)
{
    box_->setMask(QString());
    box_->setText(QString());
    setBoxWidth(kWideWidth);
    switch (kind_) {
    case Kind::Long:
        if (narrowNumber) setBoxWidth(kNumberWidth);
        break;
    case Kind::Currency:
        box_->setFormat(currencyFormat);
        setBoxWidth(kNumberWidth);
        break;
    case Kind::Date:
        box_->setMask(kDateMask);
        setBoxWidth(kDateWidth);
        break;
    case Kind::Code:
        box_->setMaxLength(codeLength_);
        setBoxWidth(kListWidth);
        break;
    case Kind::Text:
    case Kind::TextRightClick:
    case Kind::TextDirect:
        break;
    }
}

void FieldBox::setUp(const FieldDefinition& def, int codeLength, EditorMode mode)
{
    def_ = def;
    kind_ = kindOf(def.typeWord);
    codeTable_ = typeword::codeTableNumber(def.typeWord);
    codeLength_ = codeLength;

    name_->setText(def.name);
    // The value, its list and its keep-data box are announced by the field's name.
    for (QWidget* w : std::initializer_list<QWidget*>{box_, list_}) NamedControls::setAccessibleName(*w, def.name);
    NamedControls::setAccessibleName(*keep_, QStringLiteral("データを残す ") + def.name);
    box_->setFormat(QString());
    box_->setMaxLength(0);
    shapeBox(mode == EditorMode::Change ? kYenBlankZero : kYenWithZero, true);
    setCaption();
    type_->setFrameShape(isTextKind(kind_) ? QFrame::Box : QFrame::NoFrame);

    name_->show();
    type_->show();
    box_->show();
    box_->setEnabled(mode != EditorMode::Delete);
    keep_->setChecked(false);
    keep_->setVisible(mode == EditorMode::New);
}

void FieldBox::resetForNext()
{
    // A number box comes back at the wide width; every caption but a code's gets its border.
    shapeBox(kYenWithZero, false);
    if (isTextKind(kind_)) setCaption();
    // A name list opened by a right-click would cover the box, now wide again; it comes
    // back with the next right-click. (A direct list is filled again by the editor.)
    if (kind_ == Kind::Text || kind_ == Kind::TextRightClick) {
        list_->hide();
        list_->setEnabled(false);
    }
    if (kind_ != Kind::Code) type_->setFrameShape(QFrame::Box);
}

void FieldBox::setValue(const QString& value)
{
    // A blank value (a Null cell shows as spaces) leaves the box empty, ready for typing.
    if (text::isBlank(value)) return;
    box_->setText(boxTextOf(value));
}

QString FieldBox::boxTextOf(const QString& value) const
{
    if (text::isBlank(value)) return QString();
    return kind_ == Kind::Code ? value.left(codeLength_) : value;
}

void FieldBox::showList(const QStringList& items, const QString& prompt)
{
    list_->clear();
    list_->addItems(items);
    list_->setPlaceholderText(prompt);
    list_->setCurrentIndex(-1);
    list_->show();
    list_->setEnabled(true);
}

void FieldBox::closeList()
{
    setBoxWidth(kWideWidth);
    list_->hide();
    list_->setEnabled(false);
}
