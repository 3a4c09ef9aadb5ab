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
    const QFontMetrics fm(m_panels[0]->font());
    const int margin = fm.horizontalAdvance(QLatin1Char(' ')) * 2 + 8;
    const QString position = QStringLiteral("レコード順／総数　　000000 / 000000");
    const QString progress = QStringLiteral("ファイル読込中　") + QString(25, QChar(0x25A0));
    m_panels[1]->setMinimumWidth(fm.horizontalAdvance(position) + margin);
    m_panels[2]->setMinimumWidth(fm.horizontalAdvance(progress) + margin);
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
