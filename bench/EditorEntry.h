#pragma once
#include "Find.h"
#include "platform/widgets/MaskedEdit.h"
#include "records/Form7.h"

#include <QString>

// One bench record typed into the main editor's eight boxes, as a person fills them before OK.
inline void typeBenchRecord(Form7& editor, int i)
{
    child<MaskedEdit>(editor, "MaskEdBox1_0")->setText(QStringLiteral("追加%1").arg(i));
    child<MaskedEdit>(editor, "MaskEdBox1_1")->setText(QStringLiteral("作者"));
    child<MaskedEdit>(editor, "MaskEdBox1_2")->setText(QString::number(i));
    child<MaskedEdit>(editor, "MaskEdBox1_3")->setText(QStringLiteral("1500"));
    child<MaskedEdit>(editor, "MaskEdBox1_4")->setText(QStringLiteral("2024/05/01"));
    child<MaskedEdit>(editor, "MaskEdBox1_5")->setText(QStringLiteral("007"));
    child<MaskedEdit>(editor, "MaskEdBox1_6")->setText(QStringLiteral("備考"));
    child<MaskedEdit>(editor, "MaskEdBox1_7")->setText(QStringLiteral("3"));
}
