#include "csv/CsvProgress.h"

#include "core/ProgressText.h"
#include "platform/widgets/StatusBar3.h"

#include <QLabel>

CsvProgress::CsvProgress(StatusBar3* status, const QString& word, bool cells) : status_(status), word_(word), cells_(cells)
{
    show(ProgressText::start(word_, cells_));
}

CsvProgress::~CsvProgress() { show(QString()); }

void CsvProgress::step(qint64 done, qint64 total)
{
    if (!cells_) return;
    const int remaining = ProgressText::remainingCells(done, total);
    if (remaining == shown_) return;
    shown_ = remaining;
    show(ProgressText::bar(word_, remaining));
}

void CsvProgress::show(const QString& text)
{
    if (!status_) return;
    status_->setPanelText(3, text);
    status_->panel(3)->repaint();
}
