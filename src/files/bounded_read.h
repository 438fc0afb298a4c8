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

// Writes text to path as a whole: a temporary beside it is written and
// synced, then renamed over path, so that neither a crash nor a full disk
// can leave a half-written or empty file. True only when every byte is on
// the disk. False with *why in the current language when it could not be
// saved (a full disk is reported as such); the file that was there is then
// left byte for byte as it was, and no temporary is left behind.
//
// A file being replaced keeps its owner, group and permissions: where the
// new file cannot carry them (another owner's file saved by a member of its
// group) or cannot take its place (a file mounted over the name), the
// complete, synced temporary stays beside the file while the new text is
// written into the file itself and synced. Only a failed write there that
// could not be undone leaves the temporary, with the complete new text.
//
// A link is followed; a folder, FIFO or device is refused, and so is a file
// the user may not write. A save that succeeds removes the temporaries that
// earlier saves of the same file left behind (killed half-way).
bool Write_Whole_File(const QString& path, const QByteArray& text, QString* why);

// The reason a file operation failed with the system error err (an errno
// value), in the current language: "no space left on the disk", "no
// permission", ... always in words, never as the number. The errors a save
// or load meets have the program's own words; others get the system's
// (English only).
QString File_Error_Reason(int err);
