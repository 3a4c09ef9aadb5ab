#include "core/FieldRule.h"

#include <gtest/gtest.h>

using fieldrule::Fault;

TEST(FieldRule, EveryCheckOfAValueTheCodeLookupOnlyWhenTheRestPassed)
{
    // CODE1 holds "AB" named "ロック" and "CD" with an empty name; every lookup is counted.
    int lookups = 0;
    const fieldrule::CodeLookup lookup = [&](const QString& table, const QString& code) -> std::optional<QString> {
        ++lookups;
        if (table != QLatin1String("CODE1")) return std::nullopt;
        if (code == QLatin1String("AB")) return QStringLiteral("ロック");
        if (code == QLatin1String("CD")) return QString();
        return std::nullopt;
    };
    auto fault = [&](const char* typeWord, const QString& value) {
        return fieldrule::check(QString::fromLatin1(typeWord), value, 2, lookup).fault;
    };

    EXPECT_EQ(fieldrule::check(QStringLiteral("CODE1"), QStringLiteral("AB"), 2, lookup).stored, QStringLiteral("AB"));
    EXPECT_EQ(fault("CODE1", QStringLiteral("ab")), Fault::CodeNotFound);  // exact: case counts
    EXPECT_EQ(fault("CODE1", QStringLiteral("CD")), Fault::CodeWithoutName);
    EXPECT_EQ(lookups, 3);
    // A wrong length, a control character or a blank code is never looked up; a pair of
    // surrogates is one character.
    EXPECT_EQ(fault("CODE1", QStringLiteral("ABC")), Fault::CodeLength);
    EXPECT_EQ(fault("CODE1", QStringLiteral("A\t")), Fault::ControlCharacter);
    EXPECT_EQ(fieldrule::check(QStringLiteral("CODE1"), QStringLiteral("  "), 2, lookup).stored, QStringLiteral("   "));
    EXPECT_EQ(lookups, 3);
    EXPECT_TRUE(fieldrule::hasCodeLength(QStringLiteral("A") + QString::fromUcs4(U"\U00020BB7"), 2));

    // Texts by their Shift-JIS bytes; blank numbers are zero, a blank date is a type fault.
    EXPECT_EQ(fault("TEXT", QString(25, QChar(u'あ'))), Fault::None);
    EXPECT_EQ(fault("TEXT1D", QString(25, QChar(u'あ')) + QLatin1Char('a')), Fault::TextTooLong);
    EXPECT_EQ(fieldrule::check(QStringLiteral("CURRENCY"), QStringLiteral(" "), 0, lookup).stored, QStringLiteral("0"));
    EXPECT_EQ(fault("LONG", QStringLiteral("十")), Fault::NotNumber);
    EXPECT_EQ(fault("DATE", QString()), Fault::NotDate);
    EXPECT_TRUE(fieldrule::isTypeFault(Fault::NotDate));
    EXPECT_FALSE(fieldrule::isTypeFault(Fault::CodeLength));

    EXPECT_EQ(fieldrule::reason(Fault::CodeWithoutName, QStringLiteral("分類"), QStringLiteral("CD")),
              QStringLiteral("CD  コードが相違しています。"));
    EXPECT_EQ(fieldrule::reason(Fault::NotNumber, QStringLiteral("枚数"), QStringLiteral("十")),
              QStringLiteral("枚数が相違しています。"));
}
