#include "lists/NamedControls.h"

#include "platform/widgets/Twips.h"

#include <QLabel>
#include <QPlainTextEdit>

QLabel* NamedControls::label(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                             int height)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    setGeometryTwips(*l, left, top, width, height);
    return l;
}

QPlainTextEdit* NamedControls::note(QWidget* parent, const char* name, const QStringList& lines, int left, int top,
                                    int width, int height)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setFocusPolicy(Qt::NoFocus);
    box->setPlainText(lines.join(QLatin1Char('\n')));
    setGeometryTwips(*box, left, top, width, height);
    return box;
}
