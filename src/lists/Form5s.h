#pragma once
#include "lists/SortDialog.h"

// The sort order of the main record list.
class Form5s : public SortDialog {
public:
    Form5s(App& app, ListDialogTarget& list)
        : SortDialog(app, list, QStringLiteral("Form5s"), QStringLiteral("項目別ソート条件(メイン)"))
    {
    }
};
