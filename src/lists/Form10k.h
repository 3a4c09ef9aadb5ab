#pragma once
#include "lists/FindDialog.h"

// Finds a row of the inquiry browser's main list; no status text is written after a find.
class Form10k : public FindDialog {
public:
    Form10k(App& app, ListDialogTarget& list)
        : FindDialog(app, list, QStringLiteral("Form10k"), QStringLiteral("検索条件"), QString())
    {
    }
};
