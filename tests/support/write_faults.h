#pragma once

// Write paths run on a full disk, made full for real: a file size limit in a
// child process (no privileges needed) and, as root, a tiny tmpfs.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "support/memory_form.h"

namespace tunnel::test {

// A write as the user runs it, to path below folder; returns the form it ran
// on, or null when it could not run.
using WriteRun =
    std::function<std::unique_ptr<MemoryForm>(const QString &folder, const QString &path)>;

// Larger than the size limit used, so the new file would have to pass it too.
QByteArray EarlierBytes();

// Runs the write and returns the texts of the message boxes shown, then the
// progress bar value.
QStringList Shown(const WriteRun &run, const QString &folder, const QString &path);

// Shown() in a child process whose files may not grow past limit bytes; a
// write past it fails with EFBIG instead of killing the child.
QStringList ShownWithSizeLimit(const WriteRun &run, const QString &folder, const QString &path,
                               long limit);

// The failure message of a write that ran out of space.
QString DiskFullFailure(const char *headline, const QString &path);

// A tmpfs of 16 KB mounted over a folder for as long as it lives.
class TinyDisk {
public:
    explicit TinyDisk(const QString &folder);
    ~TinyDisk();
    bool mounted() const { return m_mounted; }
    // Writes a filler file until the disk is full.
    void Fill();

private:
    QString m_folder;
    bool m_mounted = false;
};

}  // namespace tunnel::test
