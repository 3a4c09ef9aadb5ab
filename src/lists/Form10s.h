#pragma once
#include "lists/SortDialog.h"

// The sort order of the inquiry browser's main list.
class Form10s : public SortDialog {
public:
    Form10s(App& app, ListDialogTarget& list) : SortDialog(app, list, QStringLiteral("Form10s"), QStringLiteral("ソート条件")) {}
};
