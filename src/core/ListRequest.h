#pragma once
#include "core/SearchConditions.h"

#include <QtGlobal>

// What a record list is opened to show: every record, the records the last field search
// found, or the one record (in the main-and-sub list, the one sub record of one main record)
// that the all-files search found. The opener hands it to the list it opens; a list of
// search results keeps the conditions it was opened with and reads with them again.
struct ListRequest {
    enum Mode : qint16 { AllRecords = 0, SearchResults = 1, OneFound = 2 };
    qint16 category = 0;        // the category 0..5 whose records are listed
    qint16 mode = AllRecords;
    qint32 registrationNo = 0;  // the main record, for the main-and-sub list and OneFound
    qint32 subNo = 0;           // the sub record, for OneFound in the main-and-sub list
    SearchConditions search;    // the conditions, for SearchResults
};
