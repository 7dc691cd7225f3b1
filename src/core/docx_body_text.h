#pragma once

#include <QString>
#include <QStringList>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace tunnel {

// QChar::toCaseFolded() with the answer for Latin letters and the CJK
// ideographs (which have no case) given without the table lookup: reports
// are mostly Chinese text.
inline QChar CaseFolded(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80) return u >= u'A' && u <= u'Z' ? QChar(char16_t(u + 0x20)) : c;
    if (u >= 0x4E00 && u <= 0x9FFF) return c;
    return c.toCaseFolded();
}

// Case folding unit by unit keeps the folded text as long as the original,
// so positions found in the one apply to the other.
QString Folded(const QString &text);

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
// may match within and, when asked, the main text as a reader sees it (a
// line per paragraph, tabs as "\t", breaks as "\n", objects as U+FFFC).
class BodyScanner {
public:
    // prefix: of the main namespace, with its colon.
    explicit BodyScanner(const std::string &prefix, QStringList *lines = nullptr);

    // Scans the paragraphs of a block (the body, a table, a cell...) into
    // paragraphs.
    void Block(pugi::xml_node node);

    // The stretches of one paragraph scanned again from its field state.
    std::vector<Stretch> Rescan(const ParagraphScan &paragraph);

    std::vector<ParagraphScan> paragraphs;

private:
    std::string_view Local(pugi::xml_node node) const;
    void Paragraph(pugi::xml_node p, std::vector<Stretch> &stretches);
    void Inline(pugi::xml_node node);
    void Run(pugi::xml_node r);
    void Field(std::string_view type);
    void Text(pugi::xml_node t);
    void Stop(QChar shown);

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

// Points the scan's nodes, found below body, at the same nodes below
// copyBody, the body of a copy of the document; no text is decoded or
// folded again. False when a node is not found there: the scan is then of
// no use.
bool CarryScan(std::vector<ParagraphScan> &paragraphs, pugi::xml_node body,
               pugi::xml_node copyBody);

}  // namespace tunnel
