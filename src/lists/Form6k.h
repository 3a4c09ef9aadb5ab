#pragma once
#include "lists/FindDialog.h"

// Finds a row among the sub records of the main-and-sub list.
class Form6k : public FindDialog {
public:
    Form6k(App& app, ListDialogTarget& list)
        : FindDialog(app, list, QStringLiteral("Form6k"), QStringLiteral("項目別検索条件(サブ)"),
                     foundStatus())
    {
    }
};
