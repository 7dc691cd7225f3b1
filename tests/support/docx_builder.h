#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tunnel::test {

struct PackageEntry {
    QString name;
    QByteArray data;
};

// How BuildPackage writes an entry.
struct PackageOptions {
    bool deflate = true;
    // Sizes and CRC after the data in a descriptor (general flag bit 3), as
    // streaming writers do.
    bool dataDescriptors = false;
};

// A zip package with the entries in the given order; names ending in "/"
// become directory entries.
QByteArray BuildPackage(const QList<PackageEntry> &entries, const PackageOptions &options = {});

// The entries of a zip package in stored order, with uncompressed data;
// empty with a reason when it cannot be read.
QList<PackageEntry> ReadPackage(const QByteArray &package, QString *error = nullptr);

// The data of one entry, null when it is missing.
QByteArray EntryData(const QList<PackageEntry> &entries, const QString &name);

// The general purpose flags of every entry, from the central directory and
// from the local header it points to, in stored order.
struct EntryFlags {
    QString name;
    quint16 central = 0;
    quint16 local = 0;
};
QList<EntryFlags> ReadEntryFlags(const QByteArray &package);

// The parts of a small Word package: content types, relationships, styles,
// one header and one footer (holding the given paragraph XML) and a main
// part whose w:body holds bodyXml. Prefixes w, r and m are declared.
QList<PackageEntry> WordParts(const QString &bodyXml, const QString &headerXml = {},
                              const QString &footerXml = {});

// WordParts zipped in their order.
QByteArray WordPackage(const QString &bodyXml, const QString &headerXml = {},
                       const QString &footerXml = {});

// A paragraph of plain runs, one per text.
QString Paragraph(const QStringList &runTexts);

}  // namespace tunnel::test
