#pragma once

#include <QList>
#include <QStringList>
#include <pugixml.hpp>
#include <string>

namespace tunnel {

// Entities and line ends as usual; whitespace-only text such as a w:t
// holding one blank, the declaration, comments and processing instructions
// are kept so that a part is written back as it came.
constexpr unsigned kDocxParseFlags = pugi::parse_default | pugi::parse_ws_pcdata_single |
                                     pugi::parse_declaration | pugi::parse_comments |
                                     pugi::parse_pi;

// The document written out as UTF-8, unindented.
std::string SavedXml(const pugi::xml_document &document);

// The same into xml, whose capacity is kept.
void SaveXml(const pugi::xml_document &document, std::string &xml);

// Appends the top elements of an XML fragment to parent, or inserts them
// before the node before when it is given.
void AppendXml(pugi::xml_node parent, const std::string &xml, pugi::xml_node before = {});

// A w:tbl across the text width (9298 twips) of rows of plain text, the first
// a head row shaded and repeated on every page, columns as wide as their
// weights (equal without); prefix is the WordprocessingML prefix with colon.
std::string TableXml(const std::string &prefix, const QList<QStringList> &rows,
                     const QList<int> &weights);

}  // namespace tunnel
