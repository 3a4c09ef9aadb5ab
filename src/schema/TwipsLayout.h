#pragma once
#include "platform/text/TextUtil.h"

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

// Placing the controls of the definition windows, whose layout is given in twips.
namespace layout {

inline void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(text::twipsToPixels(left), text::twipsToPixels(top), text::twipsToPixels(width),
                   text::twipsToPixels(height));
}

inline void setTop(QWidget* w, int top) { w->move(w->x(), text::twipsToPixels(top)); }

inline QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                     int height = 255)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    place(l, left, top, width, height);
    return l;
}

inline QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top,
                           int width = 1200, int height = 420)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    place(b, left, top, width, height);
    return b;
}

}  // namespace layout
