#include "platform/widgets/NamedControls.h"

#include "platform/widgets/StatusBar3.h"

#include <QMainWindow>

#include "platform/widgets/Twips.h"

#include <QColor>
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
