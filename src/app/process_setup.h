#pragma once
// What the process sets up for itself at start-up, before any window exists.

// A write that would take a file past the process's file-size limit (a
// shell's "ulimit -f") raises SIGXFSZ, and that signal's default action ends
// the program on the spot: unsaved edits are lost and a half-written
// temporary stays beside the file being saved. With the signal ignored the
// same write fails with EFBIG, and the save says so and keeps the old file,
// as it does for a full disk.
void Prepare_Process();
