#include "core/ScreenLayout.h"

#include "platform/text/TextUtil.h"

ScreenLayout ScreenLayout::forScreen(qint32 W, qint32 H)
{
    auto half = [](qint64 v) { return static_cast<qint32>(text::roundHalfEven(static_cast<double>(v) / 2.0)); };
    ScreenLayout l;
    if (W >= 17000) {
        l.listWindowWidth = 17000;
        l.listWindowLeft = half(qint64(W) - 17000);
        l.schemaWindowLeft = half(qint64(W) - 13000);
        l.listExtraWidth = 1900;
    } else if (W >= 15045) {
        l.listWindowWidth = 15045;
        l.listWindowLeft = half(qint64(W) - 15045);
        l.schemaWindowLeft = half(qint64(W) - 13000);
    }
    l.listWindowTop = half(static_cast<qint64>(H) - 11100);
    l.schemaWindowTop = half(static_cast<qint64>(H) - 9600);
    return l;
}
