#include "core/ReportProgress.h"

#include "core/RecordReader.h"

void ReportProgress::start(qint64 total)
{
    total_ = total;
    shown_ = -1;
    report(RecordReader::startText(cells_));
}

void ReportProgress::row(qint64 done)
{
    if (!cells_ || total_ <= 0) return;
    const int remaining = RecordReader::remainingCells(done, total_);
    if (remaining == shown_) return;
    shown_ = remaining;
    report(RecordReader::progressText(remaining));
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
