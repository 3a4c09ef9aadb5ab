#pragma once
#include <QString>
#include <QtGlobal>

class StatusBar3;

// Status panel 3 while a file is written or read: the word with 25 cells when the reading
// progress is switched on, the word alone when off; emptied at the end. A text is shown only
// when it changes.
class CsvProgress {
public:
    CsvProgress(StatusBar3* status, const QString& word, bool cells);
    ~CsvProgress();
    CsvProgress(const CsvProgress&) = delete;
    CsvProgress& operator=(const CsvProgress&) = delete;

    void step(qint64 done, qint64 total);

private:
    void show(const QString& text);
    StatusBar3* status_;
    QString word_;
    bool cells_;
    int shown_ = -1;
};
