#include "core/ProgressText.h"

#include "platform/text/TextUtil.h"

#include <algorithm>

namespace {
const QChar kDone(0x25A0);  // ■
const QChar kLeft(0x25A1);  // □
}  // namespace

QString ProgressText::readingWord() { return QStringLiteral("ファイル読込中"); }

QString ProgressText::start(const QString& word, bool cells)
{
    if (!cells) return word;
    return word + QStringLiteral("  ") + QString(kCells, kLeft);
}

QString ProgressText::bar(const QString& word, int remaining)
{
    remaining = std::clamp(remaining, 0, kCells);
    return word + QChar(0x3000) + QString(kCells - remaining, kDone) + QString(remaining, kLeft);
}

int ProgressText::remainingCells(qint64 done, qint64 total)
{
    if (total <= 0) return 0;
    return static_cast<int>(text::roundHalfEven(static_cast<double>(total - done) / static_cast<double>(total) * kCells));
}
