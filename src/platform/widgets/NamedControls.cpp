#include "platform/widgets/NamedControls.h"

#include "platform/widgets/StatusBar3.h"

#include <QMainWindow>

#include "platform/widgets/Twips.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTextEdit>
#include <memory>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>

void NamedControls::place(QWidget& w, const QString& name, int left, int top, int width, int height)
{
    w.setObjectName(name);
    setGeometryTwips(w, left, top, width, height);
}

QLabel* NamedControls::label(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                             int width, int height)
{
    auto* l = make<QLabel>(parent, name, left, top, width, height);
    l->setText(caption);
    return l;
}

QLabel* NamedControls::heading(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                               int width, int height, double points)
{
    return setBold(label(parent, name, caption, left, top, width, height), points);
}

QLabel* NamedControls::scaledHeading(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                                     int width, int height, double scale)
{
    // The label's own font is the one it takes from the window.
    QLabel* l = label(parent, name, caption, left, top, width, height);
    return setBold(l, l->font().pointSizeF() * scale);
}

QLabel* NamedControls::setBold(QLabel* l, double points)
{
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(points);
    l->setFont(f);
    return l;
}

QLabel* NamedControls::colouredNote(QWidget* parent, const QString& name, const QString& caption,
                                    const QColor& colour, int left, int top, int width, int height)
{
    QLabel* l = label(parent, name, caption, left, top, width, height);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColour(*l, colour);
    return l;
}

QPlainTextEdit* NamedControls::note(QWidget* parent, const QString& name, const QStringList& lines, int left, int top,
                                    int width, int height)
{
    auto* box = make<QPlainTextEdit>(parent, name, left, top, width, height);
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setFocusPolicy(Qt::NoFocus);
    box->setPlainText(lines.join(QLatin1Char('\n')));
    return box;
}

QPushButton* NamedControls::button(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                                   int width, int height)
{
    auto* b = make<QPushButton>(parent, name, left, top, width, height);
    b->setText(caption);
    return b;
}

QGroupBox* NamedControls::frame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                                int width, int height)
{
    auto* f = make<QGroupBox>(parent, name, left, top, width, height);
    f->setTitle(caption);
    return f;
}

void NamedControls::setTextColour(QWidget& w, const QColor& colour)
{
    QPalette p = w.palette();
    p.setColor(QPalette::WindowText, colour);
    w.setPalette(p);
}

QMenu* NamedControls::popupMenu(QWidget* window, const QString& name, const QString& title)
{
    auto* menu = new QMenu(title, window);
    menu->setObjectName(name);
    menu->setAccessibleName(title);
    return menu;
}

void NamedControls::setClient(QMainWindow& window, QWidget* client)
{
    client->setObjectName(QStringLiteral("Client"));
    window.setCentralWidget(client);
}

StatusBar3* NamedControls::statusBar(QMainWindow& window)
{
    auto* bar = new StatusBar3(&window);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    window.setStatusBar(bar);
    return bar;
}

void NamedControls::onChosen(QAbstractButton* option, const QObject* context, std::function<void()> chosen)
{
    // A press on the option already chosen changes nothing, so only its click tells of it.
    auto wasChosen = std::make_shared<bool>(false);
    QObject::connect(option, &QAbstractButton::pressed, context,
                     [option, wasChosen] { *wasChosen = option->isChecked(); });
    QObject::connect(option, &QAbstractButton::toggled, context, [chosen, wasChosen](bool on) {
        *wasChosen = false;
        if (on) chosen();
    });
    QObject::connect(option, &QAbstractButton::clicked, context, [chosen, wasChosen] {
        if (*wasChosen) chosen();
        *wasChosen = false;
    });
}

namespace {

const char* const kGivenName = "tanzoGivenName";

// The controls a person types into or chooses from; a box inside a combo or spin box is
// part of it.
bool isInput(const QWidget& w)
{
    const QWidget* parent = w.parentWidget();
    if (parent && (qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent)))
        return false;
    if (auto* b = qobject_cast<const QAbstractButton*>(&w)) return b->text().isEmpty() && b->isCheckable();
    return qobject_cast<const QLineEdit*>(&w) || qobject_cast<const QComboBox*>(&w) ||
           qobject_cast<const QAbstractSpinBox*>(&w) || qobject_cast<const QAbstractItemView*>(&w) ||
           (qobject_cast<const QAbstractScrollArea*>(&w) && w.focusPolicy() != Qt::NoFocus &&
            (qobject_cast<const QPlainTextEdit*>(&w) || qobject_cast<const QTextEdit*>(&w)));
}

// A label's text as a name; a note (wrapped or long) names nothing.
QString captionOf(const QLabel& l)
{
    QString t = l.text();
    if (l.wordWrap() || t.trimmed().size() > 40) return {};
    t.remove(QLatin1Char('&'));
    t = t.trimmed();
    while (t.endsWith(QChar(0xFF1A)) || t.endsWith(QLatin1Char(':'))) t.chop(1);
    return t.trimmed();
}

// The label on the same line to the left of the control, else its prompt, else the nearest
// label over its column, the labels among the control's siblings.
QString labelFor(const QWidget& control)
{
    const QWidget* parent = control.parentWidget();
    if (!parent) return {};
    const QRect c = control.geometry();
    const QLabel* beside = nullptr;
    const QLabel* over = nullptr;
    int besideGap = 0;
    int overGap = 0;
    for (const QLabel* l : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (captionOf(*l).isEmpty() || (l->buddy() && l->buddy() != &control)) continue;
        if (l->buddy() == &control) return captionOf(*l);
        const QRect r = l->geometry();
        const int overlapY = std::min(r.bottom(), c.bottom()) - std::max(r.top(), c.top());
        const int overlapX = std::min(r.right(), c.right()) - std::max(r.left(), c.left());
        if (r.right() <= c.left() + 4 && overlapY >= std::min(r.height(), c.height()) / 2) {
            const int gap = c.left() - r.right();
            if (!beside || gap < besideGap) beside = l, besideGap = gap;
        } else if (r.bottom() <= c.top() + 4 && overlapX > 0) {
            const int gap = c.top() - r.bottom();
            if (!over || gap < overGap) over = l, overGap = gap;
        }
    }
    if (beside) {
        // The label beside a control also tells assistive tools whose it is.
        if (!beside->buddy()) const_cast<QLabel*>(beside)->setBuddy(const_cast<QWidget*>(&control));
        return captionOf(*beside);
    }
    // A picker's own prompt tells more than a heading further up.
    QString prompt;
    if (auto* e = qobject_cast<const QLineEdit*>(&control)) prompt = e->placeholderText();
    else if (auto* b = qobject_cast<const QComboBox*>(&control)) prompt = b->placeholderText();
    if (!prompt.isEmpty()) return prompt;
    return over ? captionOf(*over) : QString();
}

}  // namespace

void NamedControls::setAccessibleName(QWidget& control, const QString& name)
{
    control.setAccessibleName(name);
    control.setProperty(kGivenName, false);
}

void NamedControls::nameInputs(QWidget& root)
{
    for (QWidget* w : root.findChildren<QWidget*>()) {
        if (!isInput(*w)) continue;
        const bool givenHere = w->property(kGivenName).toBool();
        if (!w->accessibleName().isEmpty() && !givenHere) continue;
        const QString name = labelFor(*w);
        if (name.isEmpty()) continue;
        w->setAccessibleName(name);
        w->setProperty(kGivenName, true);
    }
}

void NamedControls::chainTabs(const std::vector<QWidget*>& chain)
{
    for (size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}
