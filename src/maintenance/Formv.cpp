#include "maintenance/Formv.h"

#include "core/App.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/widgets/NamedControls.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>

Formv::Formv(App& app)
{
    setObjectName(QStringLiteral("Formv"));
    setWindowTitle(QStringLiteral("在庫管理Tanzo"));
    installHelpKey(*this, app.ui());

    Image1 = NamedControls::make<QLabel>(this, "Image1", 300, 300, 1200, 1200);
    Image1->setPixmap(picture(Image1->width()));

    Label1 = NamedControls::heading(this, "Label1", QStringLiteral("在庫管理Tanzo"), 1800, 300, 3900, 450, 16);
    Label2 = NamedControls::label(this, "Label2", QStringLiteral("バージョン情報"), 1800, 900, 3900);
    Label3 = NamedControls::label(this, "Label3", QStringLiteral("Version     1.00"), 1800, 1260, 3900);
    Label4 = NamedControls::label(this, "Label4", QStringLiteral("Copyright (C) 在庫管理Tanzo"), 1800, 1620, 3900);

    // Beneath the version: the database and the connection file this start uses. The window
    // widens to show a long path whole.
    LabelPlaces = NamedControls::label(this, "LabelPlaces", app.places.describe(app.databasePath()), 300, 2100, 5400, 560);
    LabelPlaces->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const int placesWidth = LabelPlaces->sizeHint().width();
    if (placesWidth > LabelPlaces->width()) LabelPlaces->resize(placesWidth, LabelPlaces->height());
    setFixedSize(std::max(text::twipsToPixels(6000), LabelPlaces->x() * 2 + LabelPlaces->width()), text::twipsToPixels(3600));

    Command1 = NamedControls::button(this, "Command1", QStringLiteral("Ｏ Ｋ"), 2400, 2850, 1200, 420);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &Formv::Command1_Click);
}

QPixmap Formv::picture(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double u = size / 16.0;

    // A box for the stock.
    p.setPen(QPen(QColor(120, 80, 30), u * 0.3));
    p.setBrush(QColor(222, 184, 135));
    p.drawRect(QRectF(u * 1, u * 8, u * 14, u * 7));
    p.drawLine(QPointF(u * 1, u * 10), QPointF(u * 15, u * 10));

    // Two discs standing in it.
    for (int i = 0; i < 2; ++i) {
        const QPointF centre(u * (5.5 + i * 5), u * 6.5);
        p.setPen(QPen(QColor(90, 90, 110), u * 0.2));
        p.setBrush(QColor(i == 0 ? 200 : 170, 210, 240));
        p.drawEllipse(centre, u * 4, u * 4);
        p.setBrush(QColor(240, 240, 250));
        p.drawEllipse(centre, u * 1.2, u * 1.2);
        p.setBrush(Qt::white);
        p.drawEllipse(centre, u * 0.4, u * 0.4);
    }
    // The front of the box over the lower half of the discs.
    p.setPen(QPen(QColor(120, 80, 30), u * 0.3));
    p.setBrush(QColor(205, 160, 100));
    p.drawRect(QRectF(u * 1, u * 10, u * 14, u * 5));
    return pm;
}

void Formv::Command1_Click() { accept(); }
