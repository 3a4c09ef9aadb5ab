#include "core/ReportProgress.h"

#include "core/ProgressText.h"

void ReportProgress::start(qint64 total)
{
    total_ = total;
    shown_ = -1;
    report(ProgressText::start(ProgressText::readingWord(), cells_));
}

void ReportProgress::row(qint64 done)
{
    if (!cells_ || total_ <= 0) return;
    const int remaining = ProgressText::remainingCells(done, total_);
    if (remaining == shown_) return;
    shown_ = remaining;
    report(ProgressText::bar(ProgressText::readingWord(), remaining));
}

void ReportProgress::finish()
{
    shown_ = -1;
    report(QString());
}

void ReportProgress::report(const QString& s)
{
    if (sink_) sink_(s);
}
