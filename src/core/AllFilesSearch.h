#pragma once
#include <QString>
#include <functional>
#include <vector>

class ConfigCache;

// A text searched in every created main and sub file: category by category, the main file
// before the sub file, rows in table order and, in each row, the text fields in order (those
// linked to a code table too; codes, numbers and dates are never searched). A row with two
// matching fields gives two hits.
class AllFilesSearch {
public:
    struct Hit {
        QString text;            // the field's text; two spaces for a Null field
        QString categoryName;    // the category's name, " ：サブ" after it for a sub file
        QString fieldName;
        QString table;
        QString registrationNo;
        QString subNo;           // empty for a main file
    };
    // Told when the database is open, before each file is read (with the number of files
    // begun, this one included) and after it.
    struct Progress {
        std::function<void()> opened;
        std::function<void(int filesBegun)> fileBegun;
        std::function<void()> fileDone;
    };

    // The created main and sub files.
    static int fileCount(const ConfigCache& cache);

    // The hits of the text in the fields, compared character code by character code when
    // caseMode is 1 and ignoring case, width and kana otherwise. Raises DbError; the hits
    // found in the files read before stay in `hits`.
    static void run(const ConfigCache& cache, const QString& text, int caseMode, std::vector<Hit>& hits,
                    const Progress& progress = {});
};
