#pragma once

#include <QByteArray>
#include <pugixml.hpp>
#include <string>

#include "core/docx_package.h"

namespace tunnel {

// Makes PNG picture number n of a document a part of its package: the
// media part, its relationship and the PNG content type go into edits,
// over the package's relationships and content types or earlier edits of
// them. Everything in the paragraph but its properties then gives way to
// the picture, inline at that size in EMU (360000 a centimetre); prefix is
// the main namespace's, with its colon.
void PlacePicture(const DocxPackage &package, DocxParts &edits, pugi::xml_node paragraph,
                  const std::string &prefix, int n, const QByteArray &png, long long widthEmu,
                  long long heightEmu);

}  // namespace tunnel
