#pragma once
#include "lists/FindDialog.h"

// Finds a row of the main record list.
class Form5k : public FindDialog {
public:
    Form5k(App& app, ListDialogTarget& list)
        : FindDialog(app, list, QStringLiteral("Form5k"), QStringLiteral("項目別検索条件(メイン)"),
                     foundStatus())
    {
    }
};
