#include "core/docx_body_text.h"

#include <algorithm>

namespace tunnel {

QString Folded(const QString &text) {
    QString folded = text;
    for (QChar &c : folded) c = CaseFolded(c);
    return folded;
}

BodyScanner::BodyScanner(const std::string &prefix, QStringList *lines)
    : m_prefix(prefix),
      m_sdtContent(prefix + "sdtContent"),
      m_fldCharType(prefix + "fldCharType"),
      m_lines(lines) {}

void BodyScanner::Block(pugi::xml_node node) {
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

std::vector<Stretch> BodyScanner::Rescan(const ParagraphScan &paragraph) {
    m_fields = paragraph.fields;
    m_fieldCodes = int(std::count(m_fields.begin(), m_fields.end(), true));
    std::vector<Stretch> stretches;
    Paragraph(paragraph.node, stretches);
    return stretches;
}

// The local name of an element of the main namespace, empty for others.
std::string_view BodyScanner::Local(pugi::xml_node node) const {
    const std::string_view name = node.name();
    if (name.size() > m_prefix.size() && name.starts_with(m_prefix))
        return name.substr(m_prefix.size());
    return {};
}

void BodyScanner::Paragraph(pugi::xml_node p, std::vector<Stretch> &stretches) {
    m_stretches = &stretches;
    m_line.clear();
    Inline(p);
    Stop({});
    if (m_lines) *m_lines << m_line;
}

void BodyScanner::Inline(pugi::xml_node node) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) continue;
        const std::string_view name = Local(child);
        if (name == "r") {
            Run(child);
        } else if (name == "hyperlink" || name == "ins" || name == "moveTo" || name == "smartTag" ||
                   name == "customXml" || name == "fldSimple" || name == "sdtContent" ||
                   name == "dir" || name == "bdo") {
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

void BodyScanner::Run(pugi::xml_node r) {
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
            // Properties, field codes, deleted text and markers: nothing a
            // reader sees, so a match runs across them.
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
void BodyScanner::Field(std::string_view type) {
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

void BodyScanner::Text(pugi::xml_node t) {
    const QString text = QString::fromUtf8(t.text().get());
    if (m_lines) m_line += text;
    if (text.isEmpty()) return;
    const qsizetype start = m_current.folded.size();
    m_current.pieces.push_back({t, start, text.size()});
    m_current.folded += text;
    QChar *c = m_current.folded.data() + start;
    for (QChar *end = c + text.size(); c != end; ++c) *c = CaseFolded(*c);
}

void BodyScanner::Stop(QChar shown) {
    if (m_lines && m_fieldCodes == 0 && !shown.isNull()) m_line += shown;
    if (!m_current.pieces.empty()) m_stretches->push_back(std::move(m_current));
    m_current = {};
}

bool CarryScan(std::vector<ParagraphScan> &paragraphs, pugi::xml_node body,
               pugi::xml_node copyBody) {
    // The scan's nodes in document order (a paragraph before its pieces)
    // are found in the copy along their paths from the body, each path
    // going on from where the one before left off, so that no run's
    // properties or drawing are walked.
    std::vector<pugi::xml_node *> nodes;
    for (ParagraphScan &paragraph : paragraphs) {
        nodes.push_back(&paragraph.node);
        for (Stretch &stretch : paragraph.stretches)
            for (Piece &piece : stretch.pieces) nodes.push_back(&piece.text);
    }
    std::vector<pugi::xml_node> from{body}, to{copyBody}, path;
    for (pugi::xml_node *node : nodes) {
        path.clear();
        for (pugi::xml_node n = *node; n && n != body; n = n.parent()) path.push_back(n);
        path.push_back(body);
        std::reverse(path.begin(), path.end());
        std::size_t level = 1;
        while (level < from.size() && level < path.size() && from[level] == path[level]) ++level;
        if (level >= path.size()) return false;  // not below the body, or met twice
        // At the first level that differs the path goes on after the node
        // left there, or begins with the first child.
        pugi::xml_node a, b;
        if (level < from.size()) {
            a = from[level];
            b = to[level];
        } else {
            a = from.back().first_child();
            b = to.back().first_child();
        }
        from.resize(level);
        to.resize(level);
        for (;;) {
            while (a && a != path[level]) {
                a = a.next_sibling();
                b = b.next_sibling();
            }
            if (!a) break;
            from.push_back(a);
            to.push_back(b);
            if (++level == path.size()) break;
            a = a.first_child();
            b = b.first_child();
        }
        if (level != path.size()) return false;
        *node = to.back();
    }
    return true;
}

}  // namespace tunnel
