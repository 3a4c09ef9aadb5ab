#pragma once
#include "core/FieldDefinition.h"

#include <QStringList>
#include <vector>

class ReportListView;

// The column headers of a record list: one column per field, then the key columns.
// Fixed-width kinds take their own width from the free width; the text columns share what
// is left; the main record list never makes a text first column narrower than 3500 twips,
// and the lists of the main-and-sub window cap the share instead. The columns of numbers,
// amounts, dates and keys are marked as value columns.
class ListHeaders {
public:
    struct Rules {
        int freeWidth = 14755;            // twips shared by the columns
        QStringList keyCaptions;          // right-aligned key columns after the fields
        int shareCap = 0;                 // widest text column; 0 = no cap
        int firstTextMinimum = 0;         // narrowest text first column; 0 = none
        // Widths of the fixed-width kinds and of the key columns.
        int codeWidth = kCodeWidth;
        int numberWidth = kNumberWidth;   // LONG and CURRENCY
        int dateWidth = kDateWidth;
        int keyWidth = kKeyWidth;
    };

    static constexpr int kKeyWidth = 1350;
    static constexpr int kCodeWidth = 1350;
    static constexpr int kNumberWidth = 1900;  // LONG and CURRENCY
    static constexpr int kDateWidth = 1600;
    static constexpr int kFirstTextMinimum = 3500;

    // The main record list: 14755 twips and the registration number.
    static Rules mainList();
    // The main records of the inquiry browser: as the main record list, on 15045 twips.
    static Rules inquiryMainList();
    // The sub records of the main-and-sub list: 15045 twips, two keys, share cap 5295.
    static Rules subList();
    // The one main record of the main-and-sub list: 15045 twips, one key, share cap 5295.
    static Rules mainRowList();

    // Width of each field's column (twips), then of each key column.
    static std::vector<int> widths(const std::vector<FieldDefinition>& fields, const Rules& rules);
    // Replaces the columns of the list with the field and key headers.
    static void build(ReportListView& list, const std::vector<FieldDefinition>& fields, const Rules& rules);
};
