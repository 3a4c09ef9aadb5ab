#include "platform/widgets/StatusBar3.h"

#include <QFontMetrics>
#include <QLabel>

StatusBar3::StatusBar3(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        m_panels[i] = label;
    }
    // Panels 2 and 3 are as wide as their longest texts, measured once for the font in use.
    struct Widths {
        QFont font;
        int position = 0;
        int progress = 0;
    };
    static Widths measured;
    const QFont font = m_panels[0]->font();
    if (measured.position == 0 || measured.font != font) {
        const QFontMetrics fm(font);
        const int margin = fm.horizontalAdvance(QLatin1Char(' ')) * 2 + 8;
        const QString position = QStringLiteral("レコード順／総数　　000000 / 000000");
        const QString progress = QStringLiteral("ファイル読込中　") + QString(25, QChar(0x25A0));
        measured = {font, fm.horizontalAdvance(position) + margin, fm.horizontalAdvance(progress) + margin};
    }
    m_panels[1]->setMinimumWidth(measured.position);
    m_panels[2]->setMinimumWidth(measured.progress);
    addWidget(m_panels[0], 1);
    addWidget(m_panels[1], 0);
    addWidget(m_panels[2], 0);
}

QLabel* StatusBar3::panel(int i) const
{
    return i >= 1 && i <= 3 ? m_panels[i - 1] : nullptr;
}

QString StatusBar3::panelText(int i) const
{
    const QLabel* p = panel(i);
    return p ? p->text() : QString();
}

void StatusBar3::setPanelText(int i, const QString& text)
{
    if (QLabel* p = panel(i))
        p->setText(text);
}
