#pragma once
#include <QString>

// Whole-file copies for the backup and the restore of the database file.
namespace filecopy {

// Copies source to target through a temporary file in the target's folder, which replaces
// the target only once every byte is written: a copy that fails (source unreadable or gone,
// disk full, no permission) leaves the target as it was and no half-written file behind.
// Returns an empty text on success, else the cause in words the person can act on.
QString copyReplacing(const QString& source, const QString& target);

// A folder path and a name joined with exactly one separator.
QString join(const QString& folder, const QString& name);

}  // namespace filecopy
