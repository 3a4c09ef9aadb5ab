#pragma once
#include <QtGlobal>

// Where the record lists and the definition windows stand, in twips: worked out once from
// the screen at start-up and held by the App. A wide screen gives the lists extra width.
struct ScreenLayout {
    qint32 listWindowWidth = 15045;
    qint32 listWindowLeft = 0;
    qint32 listWindowTop = 0;
    qint32 listExtraWidth = 0;  // added to the width of a list window's record lists
    qint32 schemaWindowLeft = 0;
    qint32 schemaWindowTop = 0;

    // The placement on a screen of this size: centred where the screen is large enough (half
    // twips to the even neighbour), at the left edge where it is narrower; the top is not
    // clamped on a low screen.
    static ScreenLayout forScreen(qint32 widthTwips, qint32 heightTwips);
};
