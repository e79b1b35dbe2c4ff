// Replacing a small file safely: the new bytes go to a temporary file in the same folder, every
// write, the flush to the disk and the close are checked, and only then does the temporary file
// take the old one's place. On any failure the old file is left exactly as it was.
#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace orvell {

// Writes bytes as the file at path (through a symbolic link to the file it names), keeping an
// existing file's permissions. Returns false, with a message for the user in *error, when the
// file cannot be written, is not a regular file or is read-only (the user may not write it, or
// nobody may). After a successful save, the temporary files of the file's naming that killed
// saves left behind are removed.
bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace orvell
