#pragma once
#include "lists/SortDialog.h"

// The sort order of the sub records of the main-and-sub list.
class Form6s : public SortDialog {
public:
    Form6s(App& app, ListDialogTarget& list)
        : SortDialog(app, list, QStringLiteral("Form6s"), QStringLiteral("項目別ソート条件(サブ)"))
    {
    }
};
