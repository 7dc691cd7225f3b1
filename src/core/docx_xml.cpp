#include "core/docx_xml.h"

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

}  // namespace tunnel
