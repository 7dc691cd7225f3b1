#include "core/docx_document.h"

#include <QStringList>
#include <algorithm>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "core/docx_body_text.h"
#include "core/docx_package.h"
#include "core/docx_picture.h"
#include "core/docx_xml.h"

namespace tunnel {

namespace {

constexpr const char *kWordNamespace =
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char *kStrictWordNamespace = "http://purl.oclc.org/ooxml/wordprocessingml/main";

// Deflating the main part is most of the work of a save. Measured on the
// largest template (BM_MainPartLevel): level 3 takes a third longer than
// level 1 and level 6, libzip's default, 2.7 times as long, for 5 and 11%
// fewer bytes; level 0 takes a tenth of the time but writes a package six
// times the size, which the atomic write then syncs.
constexpr int kMainLevel = 1;

void SetError(QString *error, const QString &text) {
    if (error) *error = text;
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
    std::shared_ptr<const DocxPackage> package;
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

    DocxParts parts;
    int images = 0;
    // The main part as read, kept while the tree is unedited: parsing it
    // again makes a copy with a third fewer instructions than copying the
    // tree node by node.
    std::shared_ptr<const std::string> readXml;

    // A copy sharing the package; its scan, when there is one, is carried
    // over to the copied nodes.
    std::unique_ptr<Impl> Copy() const;
    void Scan();
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

pugi::xml_node DocxDocument::Impl::ParagraphWith(const QString &placeholder) const {
    const std::string p = prefix + "p", t = prefix + "t";
    const QString needle = Folded(placeholder);
    // Ideographs have no case and nothing folds to them, so a paragraph
    // holding the placeholder holds its longest run of them byte for byte:
    // most paragraphs are passed over without being decoded and folded.
    QStringView run, longest;
    for (qsizetype i = 0; i <= placeholder.size(); ++i) {
        const char16_t u = i < placeholder.size() ? placeholder[i].unicode() : 0;
        if (u >= 0x4E00 && u <= 0x9FFF) {
            run = QStringView(placeholder).mid(i - run.size(), run.size() + 1);
        } else {
            if (run.size() > longest.size()) longest = run;
            run = {};
        }
    }
    const std::string ideographs = longest.toUtf8().toStdString();
    std::string raw;
    return body.find_node([&](pugi::xml_node node) {
        if (p != node.name()) return false;
        raw.clear();
        for (pugi::xml_node d = node.first_child(); d;) {
            if (t == d.name()) raw += d.text().get();
            // Depth first through the paragraph only.
            if (d.first_child() && d.first_child().type() == pugi::node_element) {
                d = d.first_child();
                continue;
            }
            while (d && !d.next_sibling() && d != node) d = d.parent();
            if (!d || d == node) break;
            d = d.next_sibling();
        }
        if (raw.find(ideographs) == std::string::npos) return false;
        return Folded(QString::fromStdString(raw)).contains(needle);
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

DocxDocument::DocxDocument(const DocxDocument &other) : m_impl(other.m_impl->Copy()) {
    m_scanCache = other.m_scanCache;
}

DocxDocument::~DocxDocument() = default;

bool DocxDocument::Open(const QByteArray &package, QString *error) {
    m_impl = std::make_unique<Impl>();
    Impl &d = *m_impl;
    auto xml = std::make_shared<std::string>();
    d.package = DocxPackage::Open(package, xml.get(), error);
    if (!d.package) return false;

    const pugi::xml_parse_result parsed =
        d.document.load_buffer(xml->data(), xml->size(), kDocxParseFlags, pugi::encoding_auto);
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
    // Scanned now, so that copies of a template carry the scan with them.
    // Read in 64 KiB pieces, the text may hold twice its size: it is kept
    // for the life of a template.
    xml->shrink_to_fit();
    d.readXml = std::move(xml);
    d.Scan();
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

void DocxDocument::Impl::Scan() {
    BodyScanner scanner(prefix);
    scanner.Block(body);
    paragraphs = std::move(scanner.paragraphs);
    IndexText();
    scanned = true;
    resumeNeedle.clear();
}

std::unique_ptr<DocxDocument::Impl> DocxDocument::Impl::Copy() const {
    auto copy = std::make_unique<Impl>();
    Impl &c = *copy;
    c.package = package;
    if (readXml) {
        c.document.load_buffer(readXml->data(), readXml->size(), kDocxParseFlags,
                               pugi::encoding_auto);
        c.readXml = readXml;
    } else {
        c.document.reset(document);
    }
    c.prefix = prefix;
    c.properties = properties;
    c.entryTime = entryTime;
    c.parts = parts;
    c.images = images;
    if (body) c.body = c.document.document_element().child((prefix + "body").c_str());
    if (!scanned) return copy;

    c.paragraphs = paragraphs;
    if (!CarryScan(c.paragraphs, body, c.body)) {
        c.paragraphs.clear();
        return copy;  // scanned afresh on first use
    }
    c.text = text;
    c.paragraphStart = paragraphStart;
    c.scanned = true;
    c.resumeNeedle = resumeNeedle;
    c.resumeFrom = resumeFrom;
    return copy;
}

bool DocxDocument::Impl::ReplaceFirst(const QString &needle, const QString &value, bool useCache) {
    if (!scanned || !useCache) Scan();
    if (needle.contains(kStretchEnd)) return false;  // no stretch can hold it
    const Position from = needle == resumeNeedle ? resumeFrom : Position{};
    const std::optional<Position> match =
        useCache ? FindIndexed(needle, from) : FindInStretches(needle);
    if (match) {
        const auto [i, j, at] = *match;
        ParagraphScan &paragraph = paragraphs[i];
        Replace(paragraph.stretches[j], at, needle.size(), value);
        readXml.reset();
        paragraph.stretches = BodyScanner(prefix).Rescan(paragraph);
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
    if (!doomed.empty()) {
        d.scanned = false;
        d.readXml.reset();
    }
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

}  // namespace

bool DocxDocument::InsertImage(const QString &placeholder, const QByteArray &png,
                               long long widthEmu, long long heightEmu) {
    Impl &d = *m_impl;
    if (!d.body || placeholder.isEmpty()) return false;
    pugi::xml_node paragraph = d.ParagraphWith(placeholder);
    if (!paragraph) return false;
    PlacePicture(*d.package, d.parts, paragraph, d.prefix, ++d.images, png, widthEmu, heightEmu);
    d.scanned = false;
    d.readXml.reset();
    return true;
}

bool DocxDocument::InsertTable(const QString &placeholder, const QList<QStringList> &rows,
                               const QList<int> &weights) {
    Impl &d = *m_impl;
    if (!d.body || placeholder.isEmpty()) return false;
    pugi::xml_node paragraph = d.ParagraphWith(placeholder);
    if (!paragraph) return false;
    const std::string xml = TableXml(d.prefix, rows, weights);
    AppendXml(paragraph.parent(), xml, paragraph);
    paragraph.parent().remove_child(paragraph);
    d.scanned = false;
    d.readXml.reset();
    return true;
}

QString DocxDocument::MainText() const {
    if (!m_impl->body) return {};
    QStringList lines;
    BodyScanner scanner(m_impl->prefix, &lines);
    scanner.Block(m_impl->body);
    return lines.join(u'\n');
}

QByteArray DocxDocument::Save(QString *error) const {
    const Impl &d = *m_impl;
    if (!d.package) {
        SetError(error, QStringLiteral("没有打开的文档"));
        return {};
    }
    // Kept from save to save, the main part being about the same size each
    // time: grown afresh, its memory went back to the system after every
    // save and was faulted in again.
    thread_local std::string xml;
    SaveXml(d.document, xml);
    return d.package->Save(xml, kMainLevel, d.parts, d.entryTime, error);
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
    if (text.isEmpty() || !d.package) return 0;
    const std::string needle = text.toStdString(), replacement = Escaped(value);
    int replaced = 0;
    for (const std::string &name : d.package->PartNames()) {
        if (name.rfind("word/header", 0) != 0 || !name.ends_with(".xml")) continue;
        const auto edited = d.parts.find(name);
        std::string xml = edited != d.parts.end() ? edited->second : d.package->Part(name);
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
