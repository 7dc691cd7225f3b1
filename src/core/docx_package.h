#pragma once

#include <QByteArray>
#include <QString>
#include <ctime>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct zip;

namespace tunnel {

// Parts a document writes in place of the package's own (by name) or adds.
using DocxParts = std::map<std::string, std::string>;

// A Word package read into memory. It never changes once read, so every
// document copied from one template shares it.
class DocxPackage {
public:
    static constexpr const char *kMainPart = "word/document.xml";
    static constexpr const char *kContentTypes = "[Content_Types].xml";

    ~DocxPackage();
    DocxPackage(const DocxPackage &) = delete;
    DocxPackage &operator=(const DocxPackage &) = delete;

    // Reads a package, every part once with its checksum so that a damaged
    // one is refused now and not when a filled report is saved, and puts
    // the main part's XML in mainXml. Null with a reason when it is no
    // package, has no main part or a part cannot be read.
    static std::shared_ptr<const DocxPackage> Open(const QByteArray &bytes, std::string *mainXml,
                                                   QString *error);

    // A part's stored bytes; empty when there is none.
    std::string Part(const std::string &name) const;
    // The names of the stored parts, in their order.
    std::vector<std::string> PartNames() const;

    // A fresh package in the stored order: mainXml as the main part,
    // deflated at mainLevel, and parts in place of the stored ones, those
    // not stored after them. Every entry carries entryTime (seconds since
    // 1970) when it is not negative, else its own time. Empty with a reason
    // on failure.
    QByteArray Save(const std::string &mainXml, int mainLevel, const DocxParts &parts,
                    qint64 entryTime, QString *error) const;

private:
    struct Entry {
        std::string name;
        quint64 index;
        time_t mtime;
    };

    DocxPackage() = default;

    // The package bytes stay alive for the archive that reads from them.
    QByteArray m_bytes;
    zip *m_archive = nullptr;
    std::vector<Entry> m_entries;  // in the order they are written
    std::size_t m_mainEntry = 0;
    // Reading the archive moves its state: documents on several threads
    // take turns.
    mutable std::mutex m_mutex;
};

}  // namespace tunnel
