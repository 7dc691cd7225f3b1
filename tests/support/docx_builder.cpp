#include "support/docx_builder.h"

#include <zip.h>

#include <QtEndian>
#include <array>

namespace tunnel::test {

namespace {

quint32 Crc32(const QByteArray &data) {
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : data) crc = table[(crc ^ quint8(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

// Raw deflate data: qCompress gives a 4-byte length, a zlib header of two
// bytes and an Adler-32 trailer around it.
QByteArray Deflated(const QByteArray &data) {
    const QByteArray z = qCompress(data, 9);
    return z.mid(6, z.size() - 10);
}

void Put16(QByteArray &out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void Put32(QByteArray &out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

quint16 Get16(const QByteArray &in, qsizetype at) {
    return at + 2 <= in.size() ? qFromLittleEndian<quint16>(in.constData() + at) : 0;
}

quint32 Get32(const QByteArray &in, qsizetype at) {
    return at + 4 <= in.size() ? qFromLittleEndian<quint32>(in.constData() + at) : 0;
}

constexpr quint16 kDosDate1980 = (1 << 5) | 1;

QString WordDocumentXml(const QString &bodyXml) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
               "<w:document "
               "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
               "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
               "xmlns:m=\"http://schemas.openxmlformats.org/officeDocument/2006/math\">"
               "<w:body>%1<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rId2\"/>"
               "<w:footerReference w:type=\"default\" r:id=\"rId3\"/></w:sectPr></w:body>"
               "</w:document>")
        .arg(bodyXml);
}

QString PartXml(const char *root, const QString &content) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
               "<w:%1 xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/"
               "2006/main\">%2</w:%1>")
        .arg(QString::fromLatin1(root), content);
}

}  // namespace

QByteArray BuildPackage(const QList<PackageEntry> &entries, const PackageOptions &options) {
    QByteArray out;
    QByteArray central;
    for (const PackageEntry &entry : entries) {
        const QByteArray name = entry.name.toUtf8();
        const bool directory = entry.name.endsWith(u'/');
        const bool deflate = options.deflate && !directory;
        const QByteArray stored = deflate ? Deflated(entry.data) : entry.data;
        const quint32 crc = Crc32(entry.data);
        quint16 flags = 0;
        if (options.dataDescriptors) flags |= 0x0008;
        if (name != entry.name.toLatin1()) flags |= 0x0800;
        const quint32 offset = quint32(out.size());
        const bool later = options.dataDescriptors;

        Put32(out, 0x04034b50);
        Put16(out, 20);
        Put16(out, flags);
        Put16(out, deflate ? 8 : 0);
        Put16(out, 0);
        Put16(out, kDosDate1980);
        Put32(out, later ? 0 : crc);
        Put32(out, later ? 0 : quint32(stored.size()));
        Put32(out, later ? 0 : quint32(entry.data.size()));
        Put16(out, quint16(name.size()));
        Put16(out, 0);
        out += name;
        out += stored;
        if (later) {
            Put32(out, 0x08074b50);
            Put32(out, crc);
            Put32(out, quint32(stored.size()));
            Put32(out, quint32(entry.data.size()));
        }

        Put32(central, 0x02014b50);
        Put16(central, 20);
        Put16(central, 20);
        Put16(central, flags);
        Put16(central, deflate ? 8 : 0);
        Put16(central, 0);
        Put16(central, kDosDate1980);
        Put32(central, crc);
        Put32(central, quint32(stored.size()));
        Put32(central, quint32(entry.data.size()));
        Put16(central, quint16(name.size()));
        Put16(central, 0);
        Put16(central, 0);
        Put16(central, 0);
        Put16(central, 0);
        Put32(central, directory ? 0x10 : 0);
        Put32(central, offset);
        central += name;
    }
    const quint32 centralOffset = quint32(out.size());
    out += central;
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, quint16(entries.size()));
    Put16(out, quint16(entries.size()));
    Put32(out, quint32(central.size()));
    Put32(out, centralOffset);
    Put16(out, 0);
    return out;
}

QList<PackageEntry> ReadPackage(const QByteArray &package, QString *error) {
    QList<PackageEntry> entries;
    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t *source =
        zip_source_buffer_create(package.constData(), zip_uint64_t(package.size()), 0, &zerror);
    zip_t *archive =
        source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zerror) : nullptr;
    if (!archive) {
        if (error) *error = QString::fromUtf8(zip_error_strerror(&zerror));
        if (source) zip_source_free(source);
        zip_error_fini(&zerror);
        return {};
    }
    zip_error_fini(&zerror);
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        PackageEntry entry;
        entry.name = QString::fromUtf8(zip_get_name(archive, zip_uint64_t(i), 0));
        zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (!file) {
            if (error) *error = QString::fromUtf8(zip_strerror(archive));
            zip_discard(archive);
            return {};
        }
        char buffer[8192];
        zip_int64_t n;
        while ((n = zip_fread(file, buffer, sizeof buffer)) > 0)
            entry.data.append(buffer, qsizetype(n));
        zip_fclose(file);
        if (n < 0) {
            if (error) *error = QStringLiteral("cannot read %1").arg(entry.name);
            zip_discard(archive);
            return {};
        }
        entries << entry;
    }
    zip_discard(archive);
    return entries;
}

QByteArray EntryData(const QList<PackageEntry> &entries, const QString &name) {
    for (const PackageEntry &entry : entries) {
        if (entry.name == name) return entry.data;
    }
    return {};
}

QList<EntryFlags> ReadEntryFlags(const QByteArray &package) {
    QList<EntryFlags> flags;
    const qsizetype end = package.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0) return flags;
    const int count = Get16(package, end + 10);
    qsizetype at = Get32(package, end + 16);
    for (int i = 0; i < count && Get32(package, at) == 0x02014b50; ++i) {
        EntryFlags entry;
        entry.central = Get16(package, at + 8);
        const int nameLength = Get16(package, at + 28);
        const int extraLength = Get16(package, at + 30);
        const int commentLength = Get16(package, at + 32);
        const quint32 local = Get32(package, at + 42);
        entry.name = QString::fromUtf8(package.mid(at + 46, nameLength));
        entry.local = Get32(package, local) == 0x04034b50 ? Get16(package, local + 6) : 0xFFFF;
        flags << entry;
        at += 46 + nameLength + extraLength + commentLength;
    }
    return flags;
}

QList<PackageEntry> WordParts(const QString &bodyXml, const QString &headerXml,
                              const QString &footerXml) {
    const QByteArray types =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/word/document.xml\" "
        "ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
        "<Override PartName=\"/word/header1.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml\"/"
        ">"
        "<Override PartName=\"/word/footer1.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml\"/"
        ">"
        "</Types>";
    const QByteArray rels =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
        "officeDocument\" Target=\"word/document.xml\"/></Relationships>";
    const QByteArray documentRels =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId2\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/header\" "
        "Target=\"header1.xml\"/>"
        "<Relationship Id=\"rId3\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer\" "
        "Target=\"footer1.xml\"/></Relationships>";
    return {
        {QStringLiteral("[Content_Types].xml"), types},
        {QStringLiteral("_rels/.rels"), rels},
        {QStringLiteral("word/document.xml"), WordDocumentXml(bodyXml).toUtf8()},
        {QStringLiteral("word/_rels/document.xml.rels"), documentRels},
        {QStringLiteral("word/header1.xml"), PartXml("hdr", headerXml).toUtf8()},
        {QStringLiteral("word/footer1.xml"), PartXml("ftr", footerXml).toUtf8()},
    };
}

QByteArray WordPackage(const QString &bodyXml, const QString &headerXml, const QString &footerXml) {
    return BuildPackage(WordParts(bodyXml, headerXml, footerXml));
}

QString Paragraph(const QStringList &runTexts) {
    QString xml = QStringLiteral("<w:p>");
    for (const QString &text : runTexts)
        xml += QStringLiteral("<w:r><w:t xml:space=\"preserve\">%1</w:t></w:r>")
                   .arg(text.toHtmlEscaped());
    return xml + QStringLiteral("</w:p>");
}

}  // namespace tunnel::test
