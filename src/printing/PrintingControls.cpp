#include "printing/PrintingControls.h"

#include "platform/widgets/Twips.h"

#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

void PrintingControls::place(QWidget* w, const char* name, int left, int top, int width, int height)
{
    w->setObjectName(QString::fromLatin1(name));
    setGeometryTwips(*w, left, top, width, height);
}

QLabel* PrintingControls::label(QWidget* parent, const char* name, const QString& caption, int left, int top,
                                int width, int height)
{
    auto* l = make<QLabel>(parent, name, left, top, width, height);
    l->setText(caption);
    return l;
}

QLabel* PrintingControls::note(QWidget* parent, const char* name, const QString& caption, const QColor& colour,
                               int left, int top, int width, int height)
{
    QLabel* l = label(parent, name, caption, left, top, width, height);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColour(l, colour);
    return l;
}

QPushButton* PrintingControls::button(QWidget* parent, const char* name, const QString& caption, int left, int top,
                                      int width, int height)
{
    auto* b = make<QPushButton>(parent, name, left, top, width, height);
    b->setText(caption);
    return b;
}

QGroupBox* PrintingControls::frame(QWidget* parent, const char* name, const QString& caption, int left, int top,
                                   int width, int height)
{
    auto* f = make<QGroupBox>(parent, name, left, top, width, height);
    f->setTitle(caption);
    return f;
}

void PrintingControls::setTextColour(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}
