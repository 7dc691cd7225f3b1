#include "core/docx_document.h"

#include <zip.h>

#include <QStringList>
#include <algorithm>
#include <map>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace tunnel {

namespace {

constexpr const char *kMainPart = "word/document.xml";
constexpr const char *kContentTypes = "[Content_Types].xml";
constexpr const char *kWordNamespace =
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char *kStrictWordNamespace = "http://purl.oclc.org/ooxml/wordprocessingml/main";

// Entities and line ends as usual; whitespace-only text such as a w:t
// holding one blank, the declaration, comments and processing instructions
// are kept so that the part is written back as it came.
constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_ws_pcdata_single |
                                 pugi::parse_declaration | pugi::parse_comments | pugi::parse_pi;

void SetError(QString *error, const QString &text) {
    if (error) *error = text;
}

QString ZipErrorText(zip_error_t *e) {
    return QString::fromUtf8(zip_error_strerror(e));
}

// QChar::toCaseFolded() with the answer for Latin letters and the CJK
// ideographs (which have no case) given without the table lookup: reports
// are mostly Chinese text.
QChar CaseFolded(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80) return u >= u'A' && u <= u'Z' ? QChar(char16_t(u + 0x20)) : c;
    if (u >= 0x4E00 && u <= 0x9FFF) return c;
    return c.toCaseFolded();
}

// Case folding unit by unit keeps the folded text as long as the original,
// so positions found in the one apply to the other.
QString Folded(const QString &text) {
    QString folded = text;
    for (QChar &c : folded) c = CaseFolded(c);
    return folded;
}

// What a replacement value turns into inside a run.
struct ValuePart {
    enum Kind { Text, Break, Tab } kind;
    QString text;
};

bool XmlCanHold(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

std::vector<ValuePart> SplitValue(const QString &value) {
    std::vector<ValuePart> parts{{ValuePart::Text, {}}};
    auto add = [&parts](ValuePart::Kind kind) {
        parts.push_back({kind, {}});
        parts.push_back({ValuePart::Text, {}});
    };
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\r') {
            if (i + 1 < value.size() && value[i + 1] == u'\n') ++i;
            add(ValuePart::Break);
        } else if (c == u'\n' || c == u'\v') {
            add(ValuePart::Break);
        } else if (c == u'\t') {
            add(ValuePart::Tab);
        } else if (c.isHighSurrogate() && i + 1 < value.size() && value[i + 1].isLowSurrogate()) {
            parts.back().text += c;
            parts.back().text += value[++i];
        } else if (!c.isSurrogate() && XmlCanHold(c.unicode())) {
            parts.back().text += c;
        }
    }
    return parts;
}

// Ends each stretch in the joined text: XML cannot hold it, so no stretch
// contains it and a find never runs across two stretches.
constexpr QChar kStretchEnd(0xFFFF);

// A w:t of the searchable text and where its text lies in its stretch.
struct Piece {
    pugi::xml_node text;
    qsizetype start;
    qsizetype length;
};

// Searchable text between two stops (tab, break, object, paragraph end),
// held case-folded since that is all a find looks at.
struct Stretch {
    QString folded;
    std::vector<Piece> pieces;
};

// A paragraph of the body with the field state at its start: a replacement
// changes one paragraph and no field characters, so that paragraph alone is
// scanned again and every other one stays as it was.
struct ParagraphScan {
    pugi::xml_node node;
    std::vector<bool> fields;  // per open field: still in its codes
    std::vector<Stretch> stretches;
};

// Walks the body in document order, collecting the stretches that a find
// may match within and, when asked, the main text as a reader sees it.
class Scanner {
public:
    explicit Scanner(const std::string &prefix, QStringList *lines = nullptr)
        : m_prefix(prefix),
          m_sdtContent(prefix + "sdtContent"),
          m_fldCharType(prefix + "fldCharType"),
          m_lines(lines) {}

    void Block(pugi::xml_node node) {
        for (pugi::xml_node child : node.children()) {
            if (child.type() != pugi::node_element) continue;
            const std::string_view name = Local(child);
            if (name == "p") {
                paragraphs.push_back({child, m_fields, {}});
                Paragraph(child, paragraphs.back().stretches);
            } else if (name == "tbl" || name == "tr" || name == "tc" || name == "sdtContent" ||
                       name == "customXml" || name == "ins" || name == "moveTo") {
                Block(child);
            } else if (name == "sdt") {
                Block(child.child(m_sdtContent.c_str()));
            }
        }
    }

    // The stretches of one paragraph scanned again from its field state.
    std::vector<Stretch> Rescan(const ParagraphScan &paragraph) {
        m_fields = paragraph.fields;
        m_fieldCodes = int(std::count(m_fields.begin(), m_fields.end(), true));
        std::vector<Stretch> stretches;
        Paragraph(paragraph.node, stretches);
        return stretches;
    }

    std::vector<ParagraphScan> paragraphs;

private:
    // The local name of an element of the main namespace, empty for others.
    std::string_view Local(pugi::xml_node node) const {
        const std::string_view name = node.name();
        if (name.size() > m_prefix.size() && name.starts_with(m_prefix))
            return name.substr(m_prefix.size());
        return {};
    }

    void Paragraph(pugi::xml_node p, std::vector<Stretch> &stretches) {
        m_stretches = &stretches;
        m_line.clear();
        Inline(p);
        Stop({});
        if (m_lines) *m_lines << m_line;
    }

    void Inline(pugi::xml_node node) {
        for (pugi::xml_node child : node.children()) {
            if (child.type() != pugi::node_element) continue;
            const std::string_view name = Local(child);
            if (name == "r") {
                Run(child);
            } else if (name == "hyperlink" || name == "ins" || name == "moveTo" ||
                       name == "smartTag" || name == "customXml" || name == "fldSimple" ||
                       name == "sdtContent" || name == "dir" || name == "bdo") {
                Inline(child);
            } else if (name == "sdt") {
                Inline(child.child(m_sdtContent.c_str()));
            } else if (name == "del" || name == "moveFrom" || name == "proofErr" ||
                       name == "bookmarkStart" || name == "bookmarkEnd" ||
                       name.ends_with("RangeStart") || name.ends_with("RangeEnd") ||
                       name.ends_with("Pr")) {
                // Deleted text, markers and properties are stepped over.
            } else {
                // Equations, ruby text, foreign markup: an object in the text.
                Stop(QChar(0xFFFC));
            }
        }
    }

    void Run(pugi::xml_node r) {
        for (pugi::xml_node child : r.children()) {
            if (child.type() != pugi::node_element) continue;
            const std::string_view name = Local(child);
            if (name == "t") {
                if (m_fieldCodes == 0) Text(child);
            } else if (name == "fldChar") {
                Field(child.attribute(m_fldCharType.c_str()).value());
            } else if (name == "rPr" || name == "instrText" || name == "delText" ||
                       name == "delInstrText" || name == "lastRenderedPageBreak" ||
                       name == "commentReference" || name == "annotationRef") {
                // Properties, field codes, deleted text and markers: nothing
                // a reader sees, so a match runs across them.
            } else if (name == "tab" || name == "ptab") {
                Stop(QChar(u'\t'));
            } else if (name == "br" || name == "cr") {
                Stop(QChar(u'\n'));
            } else {
                Stop(QChar(0xFFFC));
            }
        }
    }

    // Field codes run from begin to separate (or to end when there is no
    // result); fields nest, and a field may span paragraphs.
    void Field(std::string_view type) {
        if (type == "begin") {
            m_fields.push_back(true);
            ++m_fieldCodes;
        } else if (type == "separate" && !m_fields.empty() && m_fields.back()) {
            m_fields.back() = false;
            --m_fieldCodes;
        } else if (type == "end" && !m_fields.empty()) {
            if (m_fields.back()) --m_fieldCodes;
            m_fields.pop_back();
        }
    }

    void Text(pugi::xml_node t) {
        const QString text = QString::fromUtf8(t.text().get());
        if (m_lines) m_line += text;
        if (text.isEmpty()) return;
        const qsizetype start = m_current.folded.size();
        m_current.pieces.push_back({t, start, text.size()});
        m_current.folded += text;
        QChar *c = m_current.folded.data() + start;
        for (QChar *end = c + text.size(); c != end; ++c) *c = CaseFolded(*c);
    }

    void Stop(QChar shown) {
        if (m_lines && m_fieldCodes == 0 && !shown.isNull()) m_line += shown;
        if (!m_current.pieces.empty()) m_stretches->push_back(std::move(m_current));
        m_current = {};
    }

    std::string m_prefix;
    std::string m_sdtContent;
    std::string m_fldCharType;
    QStringList *m_lines;
    std::vector<bool> m_fields;  // per open field: still in its codes
    int m_fieldCodes = 0;
    std::vector<Stretch> *m_stretches = nullptr;
    Stretch m_current;
    QString m_line;
};

// Collects the written part without a stream's copies.
struct StringWriter : pugi::xml_writer {
    std::string xml;
    void write(const void *data, std::size_t size) override {
        xml.append(static_cast<const char *>(data), size);
    }
};

void SetText(pugi::xml_node t, const QString &text) {
    t.text().set(text.toUtf8().constData());
}

void Preserve(pugi::xml_node t) {
    pugi::xml_attribute space = t.attribute("xml:space");
    if (!space) space = t.append_attribute("xml:space");
    space.set_value("preserve");
}

}  // namespace

struct DocxDocument::Impl {
    struct Entry {
        std::string name;
        zip_uint64_t index;
        time_t mtime;
    };

    ~Impl() {
        if (archive) zip_discard(archive);
    }

    // The package bytes stay alive for the archive that reads from them.
    QByteArray package;
    zip_t *archive = nullptr;
    std::vector<Entry> entries;  // in the order they are written
    std::size_t mainEntry = 0;
    pugi::xml_document document;
    pugi::xml_node body;
    std::string prefix;      // of the main namespace, with its colon
    std::string properties;  // the run properties' name
    qint64 entryTime = -1;   // for every entry when set

    // Where a find starts: a stretch of a paragraph and a position in it.
    struct Position {
        std::size_t paragraph = 0;
        std::size_t stretch = 0;
        qsizetype offset = 0;
    };

    // The body's stretches as last scanned, kept in step with every
    // replacement. Before resumeFrom there is no occurrence of resumeNeedle.
    std::vector<ParagraphScan> paragraphs;
    // Every stretch's folded text, each followed by kStretchEnd, in document
    // order, so a find is one search over the body; paragraphStart[i] is
    // where paragraph i's stretches begin (one entry more, at the end).
    QString text;
    std::vector<qsizetype> paragraphStart;
    bool scanned = false;
    QString resumeNeedle;
    Position resumeFrom;

    // Parts written instead of the archive's (by name) or added to it.
    std::map<std::string, std::string> parts;
    int images = 0;

    std::string Part(const std::string &name) const;
    pugi::xml_node ParagraphWith(const QString &placeholder) const;
    bool ReplaceFirst(const QString &needle, const QString &value, bool useCache);
    void IndexText();
    void ReindexParagraph(std::size_t i);
    // The first occurrence at or after from, by one search of the joined text.
    std::optional<Position> FindIndexed(const QString &needle, const Position &from) const;
    // The first occurrence, stretch by stretch: the reference of the tests.
    std::optional<Position> FindInStretches(const QString &needle) const;
    void Replace(const Stretch &stretch, qsizetype at, qsizetype length, const QString &value);
    void SetPieceText(pugi::xml_node t, const QString &text);
};

// An emptied w:t goes, and with it a run that holds nothing else; runs
// holding anything more than their properties are never removed.
void DocxDocument::Impl::SetPieceText(pugi::xml_node t, const QString &text) {
    if (!text.isEmpty()) {
        SetText(t, text);
        Preserve(t);
        return;
    }
    pugi::xml_node run = t.parent();
    run.remove_child(t);
    for (pugi::xml_node child : run.children()) {
        if (child.type() == pugi::node_element && properties != child.name()) return;
    }
    run.parent().remove_child(run);
}

std::string DocxDocument::Impl::Part(const std::string &name) const {
    if (auto it = parts.find(name); it != parts.end()) return it->second;
    std::string bytes;
    if (!archive) return bytes;
    const zip_int64_t index = zip_name_locate(archive, name.c_str(), 0);
    if (index < 0) return bytes;
    if (zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(index), 0)) {
        char buffer[65536];
        zip_int64_t n;
        while ((n = zip_fread(file, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, std::size_t(n));
        zip_fclose(file);
    }
    return bytes;
}

pugi::xml_node DocxDocument::Impl::ParagraphWith(const QString &placeholder) const {
    const std::string p = prefix + "p", t = prefix + "t";
    const QString needle = Folded(placeholder);
    return body.find_node([&](pugi::xml_node node) {
        if (p != node.name()) return false;
        QString text;
        for (pugi::xml_node d = node.first_child(); d;) {
            if (t == d.name()) text += QString::fromUtf8(d.text().get());
            // Depth first through the paragraph only.
            if (d.first_child() && d.first_child().type() == pugi::node_element) {
                d = d.first_child();
                continue;
            }
            while (d && !d.next_sibling() && d != node) d = d.parent();
            if (!d || d == node) break;
            d = d.next_sibling();
        }
        return Folded(text).contains(needle);
    });
}

void DocxDocument::Impl::Replace(const Stretch &stretch, qsizetype at, qsizetype length,
                                 const QString &value) {
    const qsizetype end = at + length;
    std::size_t first = 0;
    while (stretch.pieces[first].start + stretch.pieces[first].length <= at) ++first;

    const Piece &head = stretch.pieces[first];
    const QString headText = QString::fromUtf8(head.text.text().get());
    const qsizetype headEnd = head.start + head.length;
    const QString before = headText.left(at - head.start);
    const QString after = end < headEnd ? headText.mid(end - head.start) : QString();

    // The value takes the place of the match in the first w:t; its breaks
    // and tabs become elements of the same run, between further w:t.
    std::vector<ValuePart> parts = SplitValue(value);
    parts.front().text.prepend(before);
    parts.back().text += after;
    pugi::xml_node run = head.text.parent();
    SetText(head.text, parts.front().text);
    Preserve(head.text);
    pugi::xml_node last = head.text;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const ValuePart &part = parts[i];
        if (part.kind == ValuePart::Text && part.text.isEmpty()) continue;
        const char *local = part.kind == ValuePart::Break ? "br"
                            : part.kind == ValuePart::Tab ? "tab"
                                                          : "t";
        last = run.insert_child_after((prefix + local).c_str(), last);
        if (part.kind == ValuePart::Text) {
            SetText(last, part.text);
            Preserve(last);
        }
    }

    // The rest of the match is trimmed from the following pieces.
    for (std::size_t i = first + 1; i < stretch.pieces.size(); ++i) {
        const Piece &piece = stretch.pieces[i];
        if (piece.start >= end) break;
        const QString text = QString::fromUtf8(piece.text.text().get());
        SetPieceText(piece.text, text.mid(end - piece.start));
    }
}

DocxDocument::DocxDocument() : m_impl(std::make_unique<Impl>()) {}

DocxDocument::~DocxDocument() = default;

bool DocxDocument::Open(const QByteArray &package, QString *error) {
    m_impl = std::make_unique<Impl>();
    Impl &d = *m_impl;
    d.package = package;

    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t *source =
        zip_source_buffer_create(d.package.constData(), zip_uint64_t(d.package.size()), 0, &zerror);
    if (source) d.archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zerror);
    if (!d.archive) {
        SetError(error, QStringLiteral("不是有效的Word文档：%1").arg(ZipErrorText(&zerror)));
        if (source) zip_source_free(source);
        zip_error_fini(&zerror);
        return false;
    }
    zip_error_fini(&zerror);

    const zip_int64_t count = zip_get_num_entries(d.archive, 0);
    bool haveMain = false;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(d.archive, zip_uint64_t(i), ZIP_FL_ENC_RAW, &st) != 0) continue;
        const std::string name = st.name;
        // Directory entries make Word offer a repair.
        if (name.empty() || name.back() == '/') continue;
        const time_t mtime = (st.valid & ZIP_STAT_MTIME) ? st.mtime : 315532800;
        Impl::Entry entry{name, zip_uint64_t(i), mtime};
        if (name == kContentTypes)
            d.entries.insert(d.entries.begin(), entry);
        else
            d.entries.push_back(entry);
    }
    for (std::size_t i = 0; i < d.entries.size(); ++i) {
        if (d.entries[i].name == kMainPart) {
            d.mainEntry = i;
            haveMain = true;
        }
    }
    if (!haveMain) {
        SetError(error, QStringLiteral("文档中没有正文部分"));
        m_impl = std::make_unique<Impl>();
        return false;
    }

    // Every part is read once now (its checksum with it), so that a damaged
    // package is refused here and not when the filled report is saved.
    for (const Impl::Entry &entry : d.entries) {
        if (&entry == &d.entries[d.mainEntry]) continue;
        zip_file_t *part = zip_fopen_index(d.archive, entry.index, 0);
        zip_int64_t n = part ? 0 : -1;
        if (part) {
            char buffer[65536];
            while ((n = zip_fread(part, buffer, sizeof buffer)) > 0) {
            }
            zip_fclose(part);
        }
        if (n < 0) {
            SetError(error, QStringLiteral("无法读取文档部分 %1：%2")
                                .arg(QString::fromStdString(entry.name),
                                     QString::fromUtf8(zip_strerror(d.archive))));
            m_impl = std::make_unique<Impl>();
            return false;
        }
    }

    std::string xml;
    const zip_uint64_t index = d.entries[d.mainEntry].index;
    zip_file_t *file = zip_fopen_index(d.archive, index, 0);
    if (file) {
        char buffer[65536];
        zip_int64_t n;
        while ((n = zip_fread(file, buffer, sizeof buffer)) > 0) xml.append(buffer, std::size_t(n));
        const bool readFailed = n < 0;
        zip_fclose(file);
        if (readFailed) file = nullptr;
    }
    if (!file) {
        SetError(
            error,
            QStringLiteral("无法读取文档正文：%1").arg(QString::fromUtf8(zip_strerror(d.archive))));
        m_impl = std::make_unique<Impl>();
        return false;
    }

    const pugi::xml_parse_result parsed =
        d.document.load_buffer(xml.data(), xml.size(), kParseFlags, pugi::encoding_auto);
    pugi::xml_node root = d.document.document_element();
    if (parsed) {
        // The main namespace's prefix as the root declares it ("w:" in
        // everything Word writes).
        for (pugi::xml_attribute a : root.attributes()) {
            const std::string name = a.name();
            const std::string uri = a.value();
            if ((uri == kWordNamespace || uri == kStrictWordNamespace) &&
                name.compare(0, 6, "xmlns:") == 0) {
                d.prefix = name.substr(6) + ":";
                break;
            }
        }
        d.body = root.child((d.prefix + "body").c_str());
        d.properties = d.prefix + "rPr";
    }
    if (!parsed || d.prefix.empty() || std::string(root.name()) != d.prefix + "document" ||
        !d.body) {
        SetError(error, parsed ? QStringLiteral("文档正文格式不正确")
                               : QStringLiteral("文档正文无法解析：%1")
                                     .arg(QString::fromUtf8(parsed.description())));
        m_impl = std::make_unique<Impl>();
        return false;
    }
    return true;
}

namespace {

QString JoinedStretches(const ParagraphScan &paragraph) {
    QString joined;
    for (const Stretch &stretch : paragraph.stretches) {
        joined += stretch.folded;
        joined += kStretchEnd;
    }
    return joined;
}

}  // namespace

void DocxDocument::Impl::IndexText() {
    text.clear();
    paragraphStart.assign(1, 0);
    for (const ParagraphScan &paragraph : paragraphs) {
        text += JoinedStretches(paragraph);
        paragraphStart.push_back(text.size());
    }
}

void DocxDocument::Impl::ReindexParagraph(std::size_t i) {
    const QString joined = JoinedStretches(paragraphs[i]);
    const qsizetype oldLength = paragraphStart[i + 1] - paragraphStart[i];
    text.replace(paragraphStart[i], oldLength, joined);
    const qsizetype shift = joined.size() - oldLength;
    for (std::size_t k = i + 1; k < paragraphStart.size(); ++k) paragraphStart[k] += shift;
}

std::optional<DocxDocument::Impl::Position> DocxDocument::Impl::FindIndexed(
    const QString &needle, const Position &from) const {
    // The resume point in the joined text; an offset past its stretch's end
    // goes on with the stretches after it, as does a stretch that is gone.
    qsizetype start =
        from.paragraph < paragraphs.size() ? paragraphStart[from.paragraph] : text.size();
    if (from.paragraph < paragraphs.size()) {
        const std::vector<Stretch> &stretches = paragraphs[from.paragraph].stretches;
        for (std::size_t j = 0; j < from.stretch && j < stretches.size(); ++j)
            start += stretches[j].folded.size() + 1;
        if (from.stretch < stretches.size())
            start += std::min(from.offset, stretches[from.stretch].folded.size());
    }
    const qsizetype found = text.indexOf(needle, start);
    if (found < 0) return std::nullopt;
    // Paragraphs without stretches share their start with the next one.
    const std::size_t i =
        std::size_t(std::upper_bound(paragraphStart.begin(), paragraphStart.end(), found) -
                    paragraphStart.begin() - 1);
    const std::vector<Stretch> &stretches = paragraphs[i].stretches;
    std::size_t j = 0;
    qsizetype at = found - paragraphStart[i];
    while (at >= stretches[j].folded.size()) {
        at -= stretches[j].folded.size() + 1;
        ++j;
    }
    return Position{i, j, at};
}

std::optional<DocxDocument::Impl::Position> DocxDocument::Impl::FindInStretches(
    const QString &needle) const {
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const std::vector<Stretch> &stretches = paragraphs[i].stretches;
        for (std::size_t j = 0; j < stretches.size(); ++j) {
            const qsizetype at = stretches[j].folded.indexOf(needle);
            if (at >= 0) return Position{i, j, at};
        }
    }
    return std::nullopt;
}

bool DocxDocument::Impl::ReplaceFirst(const QString &needle, const QString &value, bool useCache) {
    if (!scanned || !useCache) {
        Scanner scanner(prefix);
        scanner.Block(body);
        paragraphs = std::move(scanner.paragraphs);
        IndexText();
        scanned = true;
        resumeNeedle.clear();
    }
    if (needle.contains(kStretchEnd)) return false;  // no stretch can hold it
    const Position from = needle == resumeNeedle ? resumeFrom : Position{};
    const std::optional<Position> match =
        useCache ? FindIndexed(needle, from) : FindInStretches(needle);
    if (match) {
        const auto [i, j, at] = *match;
        ParagraphScan &paragraph = paragraphs[i];
        Replace(paragraph.stretches[j], at, needle.size(), value);
        paragraph.stretches = Scanner(prefix).Rescan(paragraph);
        ReindexParagraph(i);
        // The stretches before this one and the text before the match are
        // unchanged; a new occurrence may begin up to a needle's length
        // back, formed by the value with the text before it. With nothing
        // before the match the stretch may be gone, and the search goes on
        // at offset 0 of whatever now follows.
        resumeNeedle = needle;
        resumeFrom = {i, j, std::max<qsizetype>(0, at - (needle.size() - 1))};
        return true;
    }
    resumeNeedle = needle;
    resumeFrom = {paragraphs.size(), 0, 0};
    return false;
}

bool DocxDocument::ReplacePass(const QString &placeholder, const QString &value) {
    if (placeholder.isEmpty() || !m_impl->body) return false;
    return m_impl->ReplaceFirst(Folded(placeholder), value, m_scanCache);
}

int DocxDocument::RemoveTableRows(const QString &needle) {
    Impl &d = *m_impl;
    if (!d.body || needle.isEmpty()) return 0;
    const std::string row = d.prefix + "tr";
    const std::string text = d.prefix + "t";
    const QString folded = Folded(needle);
    std::vector<pugi::xml_node> doomed;
    struct TextOf {
        const std::string &name;
        void operator()(pugi::xml_node node, QString &all) const {
            for (pugi::xml_node child : node.children()) {
                if (name == child.name()) all += QString::fromUtf8(child.text().get());
                (*this)(child, all);
            }
        }
    };
    auto rowText = [&text](pugi::xml_node tr) {
        QString all;
        TextOf{text}(tr, all);
        return all;
    };
    std::vector<pugi::xml_node> stack{d.body};
    while (!stack.empty()) {
        pugi::xml_node node = stack.back();
        stack.pop_back();
        for (pugi::xml_node child : node.children()) {
            if (child.type() != pugi::node_element) continue;
            if (row == child.name()) {
                if (Folded(rowText(child)).contains(folded)) doomed.push_back(child);
            } else {
                stack.push_back(child);
            }
        }
    }
    for (pugi::xml_node tr : doomed) tr.parent().remove_child(tr);
    // The cached stretches point into the removed rows.
    if (!doomed.empty()) d.scanned = false;
    return int(doomed.size());
}

void DocxDocument::SetEntryTime(qint64 secondsSinceEpoch) {
    m_impl->entryTime = secondsSinceEpoch;
}

void DocxDocument::SetScanCache(bool on) {
    m_scanCache = on;
}

int DocxDocument::ReplacePlaceholder(const QString &placeholder, const QString &value, int passes) {
    int found = 0;
    while (found < passes && ReplacePass(placeholder, value)) ++found;
    return found;
}

namespace {

std::string Escaped(const QString &text) {
    return text.toHtmlEscaped().toStdString();
}

// Appends the fragment's top elements to parent, or before it with before.
void AppendXml(pugi::xml_node parent, const std::string &xml, pugi::xml_node before = {}) {
    pugi::xml_document fragment;
    fragment.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
    for (pugi::xml_node child : fragment.children()) {
        if (before)
            parent.insert_copy_before(child, before);
        else
            parent.append_copy(child);
    }
}

std::string SavedXml(const pugi::xml_document &document) {
    StringWriter writer;
    document.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return std::move(writer.xml);
}

}  // namespace

bool DocxDocument::InsertImage(const QString &placeholder, const QByteArray &png,
                               long long widthEmu, long long heightEmu) {
    Impl &d = *m_impl;
    if (!d.body || placeholder.isEmpty()) return false;
    pugi::xml_node paragraph = d.ParagraphWith(placeholder);
    if (!paragraph) return false;
    const int n = ++d.images;
    const std::string name = "image" + std::to_string(n) + ".png";
    const std::string id = "rIdPicture" + std::to_string(n);
    d.parts["word/media/" + name] = png.toStdString();

    pugi::xml_document rels;
    const std::string relsName = "word/_rels/document.xml.rels";
    const std::string relsXml = d.Part(relsName);
    rels.load_buffer(relsXml.data(), relsXml.size(), kParseFlags, pugi::encoding_auto);
    pugi::xml_node relRoot = rels.child("Relationships");
    if (!relRoot) {
        relRoot = rels.append_child("Relationships");
        relRoot.append_attribute("xmlns") =
            "http://schemas.openxmlformats.org/package/2006/relationships";
    }
    pugi::xml_node rel = relRoot.append_child("Relationship");
    rel.append_attribute("Id") = id.c_str();
    rel.append_attribute("Type") =
        "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
    rel.append_attribute("Target") = ("media/" + name).c_str();
    d.parts[relsName] = SavedXml(rels);

    pugi::xml_document types;
    const std::string typesXml = d.Part(kContentTypes);
    types.load_buffer(typesXml.data(), typesXml.size(), kParseFlags, pugi::encoding_auto);
    pugi::xml_node typesRoot = types.child("Types");
    if (!typesRoot.find_child_by_attribute("Default", "Extension", "png")) {
        pugi::xml_node png = typesRoot.prepend_child("Default");
        png.append_attribute("Extension") = "png";
        png.append_attribute("ContentType") = "image/png";
    }
    d.parts[kContentTypes] = SavedXml(types);

    pugi::xml_node root = d.document.document_element();
    const std::pair<const char *, const char *> namespaces[] = {
        {"xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships"},
        {"xmlns:wp", "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"},
        {"xmlns:a", "http://schemas.openxmlformats.org/drawingml/2006/main"},
        {"xmlns:pic", "http://schemas.openxmlformats.org/drawingml/2006/picture"}};
    for (const auto &[attribute, uri] : namespaces)
        if (!root.attribute(attribute)) root.append_attribute(attribute) = uri;

    // Everything but the paragraph's properties makes way for the picture.
    for (pugi::xml_node child = paragraph.first_child(); child;) {
        pugi::xml_node next = child.next_sibling();
        if ((d.prefix + "pPr") != child.name()) paragraph.remove_child(child);
        child = next;
    }
    const std::string w = d.prefix;
    const std::string cx = std::to_string(widthEmu), cy = std::to_string(heightEmu);
    const std::string run =
        "<" + w + "r><" + w +
        "drawing><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\">"
        "<wp:extent cx=\"" +
        cx + "\" cy=\"" + cy +
        "\"/><wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/>"
        "<wp:docPr id=\"" +
        std::to_string(1000 + n) + "\" name=\"" + name +
        "\"/>"
        "<wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect=\"1\"/></wp:cNvGraphicFramePr>"
        "<a:graphic><a:graphicData "
        "uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
        "<pic:pic><pic:nvPicPr><pic:cNvPr id=\"0\" name=\"" +
        name +
        "\"/><pic:cNvPicPr/></pic:nvPicPr>"
        "<pic:blipFill><a:blip r:embed=\"" +
        id +
        "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>"
        "<pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"" +
        cx + "\" cy=\"" + cy +
        "\"/></a:xfrm>"
        "<a:prstGeom "
        "prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData></a:graphic>"
        "</wp:inline></" +
        w + "drawing></" + w + "r>";
    AppendXml(paragraph, run);
    d.scanned = false;
    return true;
}

bool DocxDocument::InsertTable(const QString &placeholder, const QList<QStringList> &rows) {
    Impl &d = *m_impl;
    if (!d.body || placeholder.isEmpty()) return false;
    pugi::xml_node paragraph = d.ParagraphWith(placeholder);
    if (!paragraph) return false;
    const std::string w = d.prefix;
    qsizetype columns = 1;
    for (const QStringList &row : rows) columns = std::max(columns, row.size());
    const std::string width = std::to_string(9298 / columns);
    std::string xml = "<" + w + "tbl><" + w + "tblPr><" + w + "tblW " + w + "w=\"9298\" " + w +
                      "type=\"dxa\"/><" + w + "jc " + w + "val=\"center\"/><" + w + "tblBorders>";
    for (const char *side : {"top", "left", "bottom", "right", "insideH", "insideV"})
        xml += "<" + w + side + " " + w + "val=\"single\" " + w + "sz=\"4\" " + w + "space=\"0\" " +
               w + "color=\"000000\"/>";
    xml += "</" + w + "tblBorders><" + w + "tblLayout " + w + "type=\"fixed\"/></" + w + "tblPr><" +
           w + "tblGrid>";
    for (qsizetype c = 0; c < columns; ++c)
        xml += "<" + w + "gridCol " + w + "w=\"" + width + "\"/>";
    xml += "</" + w + "tblGrid>";
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const char *style = r == 0 ? "TableHead" : "TableText";
        xml += "<" + w + "tr><" + w + "trPr><" + w + "cantSplit/><" + w + "jc " + w +
               "val=\"center\"/></" + w + "trPr>";
        for (qsizetype c = 0; c < columns; ++c) {
            xml += "<" + w + "tc><" + w + "tcPr><" + w + "tcW " + w + "w=\"" + width + "\" " + w +
                   "type=\"dxa\"/>";
            if (r == 0)
                xml += "<" + w + "shd " + w + "val=\"clear\" " + w + "color=\"auto\" " + w +
                       "fill=\"E7ECF2\"/>";
            xml += "<" + w + "vAlign " + w + "val=\"center\"/></" + w + "tcPr><" + w + "p><" + w +
                   "pPr><" + w + "pStyle " + w + "val=\"" + style + "\"/></" + w + "pPr>";
            const QString text = c < rows[r].size() ? rows[r][c] : QString();
            if (!text.isEmpty())
                xml += "<" + w + "r><" + w + "t>" + Escaped(text) + "</" + w + "t></" + w + "r>";
            xml += "</" + w + "p></" + w + "tc>";
        }
        xml += "</" + w + "tr>";
    }
    xml += "</" + w + "tbl>";
    AppendXml(paragraph.parent(), xml, paragraph);
    paragraph.parent().remove_child(paragraph);
    d.scanned = false;
    return true;
}

QString DocxDocument::MainText() const {
    if (!m_impl->body) return {};
    QStringList lines;
    Scanner scanner(m_impl->prefix, &lines);
    scanner.Block(m_impl->body);
    return lines.join(u'\n');
}

QByteArray DocxDocument::Save(QString *error) const {
    const Impl &d = *m_impl;
    if (!d.archive) {
        SetError(error, QStringLiteral("没有打开的文档"));
        return {};
    }

    StringWriter writer;
    d.document.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    const std::string &xml = writer.xml;

    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t *target = zip_source_buffer_create(nullptr, 0, 0, &zerror);
    zip_t *out = target ? zip_open_from_source(target, ZIP_TRUNCATE, &zerror) : nullptr;
    if (!out) {
        SetError(error, QStringLiteral("无法建立文档：%1").arg(ZipErrorText(&zerror)));
        if (target) zip_source_free(target);
        zip_error_fini(&zerror);
        return {};
    }
    zip_error_fini(&zerror);
    // Kept past zip_close, which would otherwise free it with the archive.
    zip_source_keep(target);

    auto fail = [&](const QString &what) {
        SetError(error, QStringLiteral("%1：%2").arg(what, QString::fromUtf8(zip_strerror(out))));
        zip_discard(out);
        zip_source_free(target);
        return QByteArray();
    };

    // A fresh archive in the original order: local headers are written new
    // (no data descriptors left over), other parts keep their stored bytes.
    for (std::size_t i = 0; i < d.entries.size(); ++i) {
        const Impl::Entry &entry = d.entries[i];
        const auto part = d.parts.find(entry.name);
        zip_source_t *data =
            i == d.mainEntry ? zip_source_buffer(out, xml.data(), xml.size(), 0)
            : part != d.parts.end()
                ? zip_source_buffer(out, part->second.data(), part->second.size(), 0)
                : zip_source_zip(out, d.archive, entry.index, 0, 0, -1);
        if (!data)
            return fail(QStringLiteral("无法复制 %1").arg(QString::fromStdString(entry.name)));
        const zip_int64_t index = zip_file_add(out, entry.name.c_str(), data, ZIP_FL_ENC_GUESS);
        if (index < 0) {
            zip_source_free(data);
            return fail(QStringLiteral("无法写入 %1").arg(QString::fromStdString(entry.name)));
        }
        const time_t mtime = d.entryTime >= 0 ? time_t(d.entryTime) : entry.mtime;
        zip_file_set_mtime(out, zip_uint64_t(index), mtime, 0);
        // The main text is most of the work of a save: the fastest deflate
        // level costs a tenth more bytes and saves a third of the time.
        if (i == d.mainEntry) zip_set_file_compression(out, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    }
    // Added parts (pictures) after the template's own.
    for (const auto &part : d.parts) {
        const std::string &name = part.first;
        const std::string &bytes = part.second;
        if (std::any_of(d.entries.begin(), d.entries.end(),
                        [&](const Impl::Entry &e) { return e.name == name; }))
            continue;
        zip_source_t *data = zip_source_buffer(out, bytes.data(), bytes.size(), 0);
        const zip_int64_t index =
            data ? zip_file_add(out, name.c_str(), data, ZIP_FL_ENC_GUESS) : -1;
        if (index < 0) {
            if (data) zip_source_free(data);
            return fail(QStringLiteral("无法写入 %1").arg(QString::fromStdString(name)));
        }
        const time_t mtime = d.entryTime >= 0 ? time_t(d.entryTime) : d.entries.front().mtime;
        zip_file_set_mtime(out, zip_uint64_t(index), mtime, 0);
    }
    if (zip_close(out) != 0) return fail(QStringLiteral("无法保存文档"));

    QByteArray bytes;
    zip_stat_t st;
    if (zip_source_stat(target, &st) == 0 && (st.valid & ZIP_STAT_SIZE) &&
        zip_source_open(target) == 0) {
        bytes.resize(qsizetype(st.size));
        const zip_int64_t n = zip_source_read(target, bytes.data(), st.size);
        zip_source_close(target);
        if (n != zip_int64_t(st.size)) bytes.clear();
    }
    zip_source_free(target);
    if (bytes.isEmpty()) SetError(error, QStringLiteral("无法取出保存的文档"));
    return bytes;
}

bool DocxDocument::ReplaceParagraph(const QString &placeholder, const QStringList &lines) {
    Impl &d = *m_impl;
    if (!d.body || placeholder.isEmpty()) return false;
    pugi::xml_node paragraph = d.ParagraphWith(placeholder);
    if (!paragraph) return false;
    const std::string t = d.prefix + "t";
    for (const QString &line : lines) {
        pugi::xml_node copy = paragraph.parent().insert_copy_before(paragraph, paragraph);
        std::vector<pugi::xml_node> texts;
        for (const pugi::xpath_node &node : copy.select_nodes(("descendant::" + t).c_str()))
            texts.push_back(node.node());
        QString text;
        for (pugi::xml_node node : texts) text += QString::fromUtf8(node.text().get());
        text.replace(placeholder, line, Qt::CaseInsensitive);
        for (std::size_t i = 0; i < texts.size(); ++i) SetText(texts[i], i == 0 ? text : QString());
        if (!texts.empty()) Preserve(texts.front());
    }
    paragraph.parent().remove_child(paragraph);
    d.scanned = false;
    return true;
}

int DocxDocument::ReplaceInHeaders(const QString &text, const QString &value) {
    Impl &d = *m_impl;
    if (text.isEmpty()) return 0;
    const std::string needle = text.toStdString(), replacement = Escaped(value);
    int replaced = 0;
    for (const Impl::Entry &entry : d.entries) {
        const std::string &name = entry.name;
        if (name.rfind("word/header", 0) != 0 || !name.ends_with(".xml")) continue;
        std::string xml = d.Part(name);
        bool changed = false;
        for (std::size_t at = xml.find(needle); at != std::string::npos;
             at = xml.find(needle, at + replacement.size())) {
            xml.replace(at, needle.size(), replacement);
            changed = true;
            ++replaced;
        }
        if (changed) d.parts[name] = std::move(xml);
    }
    return replaced;
}

}  // namespace tunnel
