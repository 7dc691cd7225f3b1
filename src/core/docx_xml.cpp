#include "core/docx_xml.h"

#include <algorithm>
#include <vector>

namespace tunnel {

namespace {

// Collects the written part without a stream's copies.
struct StringWriter : pugi::xml_writer {
    std::string &xml;
    explicit StringWriter(std::string &xml) : xml(xml) {}
    void write(const void *data, std::size_t size) override {
        xml.append(static_cast<const char *>(data), size);
    }
};

}  // namespace

std::string SavedXml(const pugi::xml_document &document) {
    std::string xml;
    SaveXml(document, xml);
    return xml;
}

void SaveXml(const pugi::xml_document &document, std::string &xml) {
    xml.clear();
    StringWriter writer(xml);
    document.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
}

void AppendXml(pugi::xml_node parent, const std::string &xml, pugi::xml_node before) {
    pugi::xml_document fragment;
    fragment.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
    for (pugi::xml_node child : fragment.children()) {
        if (before)
            parent.insert_copy_before(child, before);
        else
            parent.append_copy(child);
    }
}

std::string TableXml(const std::string &prefix, const QList<QStringList> &rows,
                     const QList<int> &weights) {
    const std::string &w = prefix;
    qsizetype columns = 1;
    for (const QStringList &row : rows) columns = std::max(columns, row.size());
    int total = 0;
    for (qsizetype c = 0; c < columns; ++c) total += std::max(1, weights.value(c, 1));
    std::vector<std::string> widths;
    for (qsizetype c = 0; c < columns; ++c)
        widths.push_back(std::to_string(9298 * std::max(1, weights.value(c, 1)) / total));
    std::string xml = "<" + w + "tbl><" + w + "tblPr><" + w + "tblW " + w + "w=\"9298\" " + w +
                      "type=\"dxa\"/><" + w + "jc " + w + "val=\"center\"/><" + w + "tblBorders>";
    for (const char *side : {"top", "left", "bottom", "right", "insideH", "insideV"})
        xml += "<" + w + side + " " + w + "val=\"single\" " + w + "sz=\"4\" " + w + "space=\"0\" " +
               w + "color=\"000000\"/>";
    xml += "</" + w + "tblBorders><" + w + "tblLayout " + w + "type=\"fixed\"/></" + w + "tblPr><" +
           w + "tblGrid>";
    for (qsizetype c = 0; c < columns; ++c)
        xml += "<" + w + "gridCol " + w + "w=\"" + widths[c] + "\"/>";
    xml += "</" + w + "tblGrid>";
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const char *style = r == 0 ? "TableHead" : "TableText";
        // The head row repeats on every page the table runs onto.
        xml += "<" + w + "tr><" + w + "trPr><" + w + "cantSplit/>" +
               (r == 0 ? "<" + w + "tblHeader/>" : std::string()) + "<" + w + "jc " + w +
               "val=\"center\"/></" + w + "trPr>";
        for (qsizetype c = 0; c < columns; ++c) {
            xml += "<" + w + "tc><" + w + "tcPr><" + w + "tcW " + w + "w=\"" + widths[c] + "\" " + w +
                   "type=\"dxa\"/>";
            if (r == 0)
                xml += "<" + w + "shd " + w + "val=\"clear\" " + w + "color=\"auto\" " + w +
                       "fill=\"E7ECF2\"/>";
            xml += "<" + w + "vAlign " + w + "val=\"center\"/></" + w + "tcPr><" + w + "p><" + w +
                   "pPr><" + w + "pStyle " + w + "val=\"" + style + "\"/></" + w + "pPr>";
            const QString text = c < rows[r].size() ? rows[r][c] : QString();
            if (!text.isEmpty())
                xml += "<" + w + "r><" + w + "t>" + text.toHtmlEscaped().toStdString() + "</" + w + "t></" + w + "r>";
            xml += "</" + w + "p></" + w + "tc>";
        }
        xml += "</" + w + "tr>";
    }
    xml += "</" + w + "tbl>";
    return xml;
}

}  // namespace tunnel
