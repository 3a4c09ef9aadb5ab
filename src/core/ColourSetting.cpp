#include "core/ColourSetting.h"

#include "platform/text/TextUtil.h"

namespace colour {

QColor fromSetting(const QString& decimal)
{
    const qint64 v = text::Trim(decimal).toLongLong();
    return QColor(static_cast<int>(v & 0xff), static_cast<int>((v >> 8) & 0xff), static_cast<int>((v >> 16) & 0xff));
}

QString toSetting(const QColor& c)
{
    const qint64 v = static_cast<qint64>(c.red()) + 256 * static_cast<qint64>(c.green()) + 65536 * static_cast<qint64>(c.blue());
    return QString::number(v);
}

}  // namespace colour
