#pragma once
#include <QString>

#include <array>

// The folder in which a person last chose a file of each kind in this run: the next dialog
// for that kind opens there, so a CSV file just written is at hand when it is read back, and
// PDF files go on landing where the first one went.
class RecentFolders {
public:
    enum class Kind { Csv, Pdf };

    // The folder to open in: the one last chosen while it still exists, else `fallback`.
    QString folder(Kind kind, const QString& fallback) const;
    // `fileName` in that folder, for a save dialog that proposes a name.
    QString proposed(Kind kind, const QString& fallbackFolder, const QString& fileName) const;
    // The person chose `path` (a file) in a dialog for `kind`.
    void chose(Kind kind, const QString& path);

private:
    std::array<QString, 2> folders_;
};
