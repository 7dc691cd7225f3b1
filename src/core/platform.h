#pragma once

#include <QString>

namespace tunnel {

// The few operating system calls Qt does not offer, one place per system.

// Forces the written data of an open file (a C runtime descriptor, as
// QFileDevice::handle() gives it) to disk. Returns an empty text on success,
// else the reason.
QString SyncFile(int handle);

// Makes a rename inside the folder durable; nothing to do on Windows, where
// the rename is written with the file system's journal.
void SyncFolder(const QString &folder);

// Whether a file error text from Qt says the disk or the allowed file size is
// full, so the user can be told plainly.
bool IsNoSpaceError(const QString &reason);

}  // namespace tunnel
