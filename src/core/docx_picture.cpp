#include "core/docx_picture.h"

#include "core/docx_xml.h"

namespace tunnel {

namespace {

std::string EditedPart(const DocxPackage &package, const DocxParts &edits,
                       const std::string &name) {
    if (auto it = edits.find(name); it != edits.end()) return it->second;
    return package.Part(name);
}

}  // namespace

void PlacePicture(const DocxPackage &package, DocxParts &edits, pugi::xml_node paragraph,
                  const std::string &prefix, int n, const QByteArray &png, long long widthEmu,
                  long long heightEmu) {
    const std::string name = "image" + std::to_string(n) + ".png";
    const std::string id = "rIdPicture" + std::to_string(n);
    edits["word/media/" + name] = png.toStdString();

    pugi::xml_document rels;
    const std::string relsName = "word/_rels/document.xml.rels";
    const std::string relsXml = EditedPart(package, edits, relsName);
    rels.load_buffer(relsXml.data(), relsXml.size(), kDocxParseFlags, pugi::encoding_auto);
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
    edits[relsName] = SavedXml(rels);

    pugi::xml_document types;
    const std::string typesXml = EditedPart(package, edits, DocxPackage::kContentTypes);
    types.load_buffer(typesXml.data(), typesXml.size(), kDocxParseFlags, pugi::encoding_auto);
    pugi::xml_node typesRoot = types.child("Types");
    if (!typesRoot.find_child_by_attribute("Default", "Extension", "png")) {
        pugi::xml_node png = typesRoot.prepend_child("Default");
        png.append_attribute("Extension") = "png";
        png.append_attribute("ContentType") = "image/png";
    }
    edits[DocxPackage::kContentTypes] = SavedXml(types);

    pugi::xml_node root = paragraph.root().find_child(
        [](pugi::xml_node node) { return node.type() == pugi::node_element; });
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
        if ((prefix + "pPr") != child.name()) paragraph.remove_child(child);
        child = next;
    }
    const std::string &w = prefix;
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
}

}  // namespace tunnel
