#include "lists/DetailPanel.h"

#include "core/App.h"
#include "core/FieldDisplay.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace {
constexpr int kLabelLeft = 120;
constexpr int kLabelWidth = 2300;
constexpr int kSuffixLeft = 2460;
constexpr int kSuffixWidth = 900;
constexpr int kValueLeft = 3420;
constexpr int kNameWidth = 3500;
constexpr int kRowHeight = 300;

// A row caption keeps its full text ("name ："), but a name too long for the caption's
// width is drawn shortened with an ellipsis, keeping the " ：" at the end; the whole
// caption is the tool tip then.
class CaptionLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        const QRect r = contentsRect();
        const QFontMetrics fm = fontMetrics();
        const QString full = text();
        const bool fits = fm.horizontalAdvance(full) <= r.width();
        if (toolTip() != (fits ? QString() : full)) setToolTip(fits ? QString() : full);
        if (fits) {
            QLabel::paintEvent(e);
            return;
        }
        const QString tail = QStringLiteral(" ：");
        const QString name = full.endsWith(tail) ? full.chopped(tail.size()) : full;
        const QString end = full.endsWith(tail) ? tail : QString();
        const QString shown = fm.elidedText(name, Qt::ElideRight, r.width() - fm.horizontalAdvance(end)) + end;
        QPainter p(this);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        p.drawText(r, int(alignment()), shown);
    }
};
}  // namespace

DetailPanel::DetailPanel(QWidget* parent, int topTwips) : parent_(parent), top_(topTwips) { makeElement(0); }

void DetailPanel::makeElement(int i)
{
    const int top = top_ + kRowPitch * i;
    const QString index = QString::number(i);

    auto* caption = NamedControls::make<CaptionLabel>(parent_, QStringLiteral("Label3_") + index, kLabelLeft, top,
                                                      kLabelWidth, kRowHeight);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* suffix = NamedControls::make<QLabel>(parent_, QStringLiteral("Label4_") + index, kSuffixLeft, top,
                                               kSuffixWidth, kRowHeight);

    auto* value =
        NamedControls::make<QLineEdit>(parent_, QStringLiteral("Text1_") + index, kValueLeft, top, 5295, kRowHeight);
    value->setReadOnly(true);

    for (QWidget* w : std::initializer_list<QWidget*>{caption, suffix, value}) w->hide();
    Label3.push_back(caption);
    Label4.push_back(suffix);
    Text1.push_back(value);
    // A code name's box is made for a code field only (makeCodeNameBox).
    Text4.push_back(nullptr);
}

void DetailPanel::makeCodeNameBox(int i)
{
    if (Text4[i]) return;
    auto* name = NamedControls::make<QLineEdit>(parent_, QStringLiteral("Text4_%1").arg(i), kValueLeft,
                                                top_ + kRowPitch * i, kNameWidth, kRowHeight);
    name->setReadOnly(true);
    name->setFocusPolicy(Qt::NoFocus);
    name->hide();
    Text4[i] = name;
}

void DetailPanel::build(const std::vector<FieldDefinition>& fields, std::function<void(int)> changed)
{
    fields_ = fields;
    for (int i = static_cast<int>(Label3.size()); i < count(); ++i) makeElement(i);
    for (int i = 0; i < count(); ++i) {
        const QString& type = fields_[size_t(i)].typeWord;
        Label3[i]->setText(fields_[size_t(i)].name + QStringLiteral(" ："));
        Label4[i]->setText(FieldDisplay::typeSuffix(type));
        // The value and its code's name are announced by the field's name.
        NamedControls::setAccessibleName(*Text1[i], fields_[size_t(i)].name);
        const int width = FieldDisplay::detailWidth(type);
        setWidthTwips(*Text1[i], width);
        if (isCodeField(i)) {
            makeCodeNameBox(i);
            NamedControls::setAccessibleName(*Text4[i], fields_[size_t(i)].name + QStringLiteral(" 名称"));
            setLeftTwips(*Text4[i], kValueLeft + width + 60);
        } else if (Text4[i]) {
            Text4[i]->hide();
        }
        Text1[i]->setEnabled(true);
        Text1[i]->setReadOnly(true);
        for (QWidget* w : std::initializer_list<QWidget*>{Label3[i], Label4[i], Text1[i]}) w->show();
        if (changed) QObject::connect(Text1[i], &QLineEdit::textChanged, parent_, [changed, i] { changed(i); });
        // The values take the focus one after another, top to bottom.
        if (i > 0) QWidget::setTabOrder(Text1[i - 1], Text1[i]);
    }
}

bool DetailPanel::isCodeField(int i) const
{
    return i >= 0 && i < count() && FieldDisplay::kindOf(fields_[size_t(i)].typeWord) == FieldDisplay::Kind::Code;
}

void DetailPanel::showRow(const ReportListView& list, int row)
{
    for (int i = 0; i < count(); ++i) Text1[i]->setText(list.text(row, i));
}

void DetailPanel::clear()
{
    for (int i = 0; i < count(); ++i) {
        Text1[i]->clear();
        if (Text4[i]) Text4[i]->clear();
    }
}

QStringList DetailPanel::values() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i) out << Text1[i]->text();
    return out;
}

void DetailPanel::showCodeName(App& app, int i)
{
    if (!isCodeField(i)) return;
    Text4[i]->setText(FieldDisplay::codeName(app, fields_[size_t(i)].typeWord, Text1[i]->text()));
    Text4[i]->setVisible(true);
    Text4[i]->setEnabled(true);
}

QStringList DetailPanel::selections() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        if (!Text1[i]->selectedText().isEmpty()) out << Text1[i]->selectedText();
    return out;
}
