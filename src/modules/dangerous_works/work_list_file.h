#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tunnel {

// A project list file: GBK bytes, each item followed by "|", no header and
// no line break. An empty list gives an empty file.
QByteArray WorkListBytes(const QStringList &items);

// The pieces of a list file in file order. Each line is split at "|": every
// bar ends a piece (so adjacent bars give an empty piece), text after the
// last bar is a piece when it is not empty, and an empty line gives none.
// Lines are decoded before splitting, so a GBK trail byte 0x7C is no bar.
QStringList ParseWorkList(const QByteArray &bytes);

// The text export: GBK bytes, each item followed by CR LF.
QByteArray WorkListTextBytes(const QStringList &items);

// Reads the list file at path into items. Returns an empty text on success,
// else the reason (items is then left alone).
QString ReadWorkList(const QString &path, QStringList &items);

}  // namespace tunnel
