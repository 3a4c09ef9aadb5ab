#pragma once
#include <QColor>
#include <QString>

// Colours of the environment settings are kept as decimal text of red + 256·green + 65536·blue.
namespace colour {

QColor fromSetting(const QString& decimal);
QString toSetting(const QColor& c);

}  // namespace colour
