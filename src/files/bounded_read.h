#pragma once
// Reading a whole file the user chose, safely: only a regular file is read
// (a device, a FIFO or a folder named like a data file is refused before it
// is opened, so it can neither block the window nor fill the memory), and
// never more than a cap.

#include <QByteArray>
#include <QString>

// Reads the file at path into *out. Refuses (false, with *why in the
// current language) anything that is not a regular file, a name that leads
// to no file (with the reason: none there, a name too long, a path through a
// file), a file larger than cap bytes, and a failed read. *out is only
// written on success.
//
// A file whose last save was cut off while it wrote into the file itself
// (see below) is first completed from the record that save left beside it,
// and *out gets the complete text it saved; a message box says so. Where
// the user may not write the file, the text comes from the record and the
// message says why the file itself stays as it is.
bool Read_Bounded_File(const QString& path, qint64 cap, QByteArray* out, QString* why);

// Writes text to path as a whole: a temporary beside it is written and
// synced, then renamed over path, so that neither a crash nor a full disk
// can leave a half-written or empty file. True only when every byte is on
// the disk. False with *why in the current language when it could not be
// saved (a full disk is reported as such); the file that was there is then
// left byte for byte as it was, and no temporary is left behind.
//
// A file being replaced keeps its owner, group, permissions and extended
// attributes (its access list among them). Where the new file cannot carry
// them (another owner's file saved by a member of its group, an attribute
// the user may not set) or cannot take its place (a file mounted over the
// name), the new text is written into the file itself. That save first
// puts a synced record of itself beside the file (the old and the new
// text), and removes it once the file holds the new text: a save cut off at
// any point leaves the old or the new text in the file, or the record, from
// which the next open or save of the file completes the write (a message box
// says so). A record that no longer fits the file (the file was replaced or
// written since) is never applied. Such a save is refused while another
// writes into the same file.
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
