#pragma once
// Reading a whole file the user chose, safely: only a regular file is read
// (a device, a FIFO or a folder named like a data file is refused before it
// is opened, so it can neither block the window nor fill the memory), and
// never more than a cap.

#include <QByteArray>
#include <QString>

// Reads the file at path into *out. Refuses (false, with *why in the
// current language) anything that is not a regular file, a file larger than
// cap bytes, and a failed read. *out is only written on success.
bool Read_Bounded_File(const QString& path, qint64 cap, QByteArray* out, QString* why);

// The reason a file operation failed with the system error err (an errno
// value), in the current language: "no space left on the disk", "no
// permission", ... The system's own texts are English only.
QString File_Error_Reason(int err);
