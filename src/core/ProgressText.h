#pragma once
#include <QString>

// The progress shown in status panel 3 while a long reading or printing runs: a word saying
// what runs ("ファイル読込中", "印刷処理中"), then 25 cells, "■" for the part done and "□"
// for the rest.
class ProgressText {
public:
    static constexpr int kCells = 25;

    // The word of a reading of rows, a list's or a report's: "ファイル読込中".
    static QString readingWord();

    // Before the first step: the word, two spaces and 25 "□" with the cells on; the word alone
    // with them off.
    static QString start(const QString& word, bool cells);
    // The word, a full-width space, the cells done "■" and `remaining` cells "□" (0..25).
    static QString bar(const QString& word, int remaining);
    // The cells left after `done` of `total` steps: (total − done) / total × 25, rounded half to
    // even; 0 when there is nothing to do.
    static int remainingCells(qint64 done, qint64 total);
};
