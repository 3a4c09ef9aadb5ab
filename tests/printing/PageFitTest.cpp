#include "printing/PrintLayout.h"

#include <gtest/gtest.h>

TEST(PageFit, EveryColumnTakesItsGapAndALayoutFitsUpToTheLastMillimetre)
{
    EXPECT_EQ(printlayout::printedWidth(21), 25);
    // A 10 mm margin and columns of 25 and 35 mm fill a usable width of 70 mm exactly.
    const printlayout::PageFit full = printlayout::pageFit({25, 35}, 10, 70);
    EXPECT_EQ(full.columnsMm, 60);
    EXPECT_EQ(full.totalMm, 70);
    EXPECT_TRUE(full.fits());
    const printlayout::PageFit over = printlayout::pageFit({25, 35}, 11, 70);
    EXPECT_EQ(over.spareMm, -1);
    EXPECT_FALSE(over.fits());
}
