#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tunnel {

// A project list file: GBK bytes, each item followed by "|", no header and
// no line break. An empty list gives an empty file.
QByteArray WorkListBytes(const QStringList &items);

// The pieces of a list file in file order, split as SplitGbkList does.
QStringList ParseWorkList(const QByteArray &bytes);

// The text export: GBK bytes, each item followed by CR LF.
QByteArray WorkListTextBytes(const QStringList &items);

// Reads the list file at path into items. Returns an empty text on success,
// else the reason (items is then left alone).
QString ReadWorkList(const QString &path, QStringList &items);

}  // namespace tunnel
