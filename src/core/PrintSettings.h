#pragma once
#include <QString>
#include <array>

// The report layout chosen on a print settings window and used by the printing engine and
// the confirmation windows. It lives for the run of the program; nothing of it is stored.
// Lengths are millimetres on the printed page.
struct PrintSettings {
    qint16 reportKind = 0;  // 0 none, 1 detail list, 2 CD-case back list
    qint16 leftMarginMm = 10;
    QString headerTitle1;
    QString headerTitle2;
    qint16 mainColumnCount = 0;
    qint16 subColumnCount = 0;
    std::array<qint16, 8> columnField{};
    std::array<qint16, 8> columnMaxBytes{};
    std::array<qint16, 8> columnWidthMm{};
    qint32 lineHeightMm = 0;
    float ruleOffsetMm = 0.0f;
    qint32 linesPerPage = 0;
    qint32 pageHeightMm = 0;
    qint32 usableWidthMm = 0;
    qint16 settingsCategory = 0;
    // The paper code and orientation (1 portrait, 2 landscape) the layout was made for; the
    // printer is set to them again before each print. 0 leaves the printer's own.
    qint16 paperSize = 0;
    qint16 orientation = 0;
    // The print run.
    qint32 pageNumber = 0;
    qint32 currentLine = 0;
};
