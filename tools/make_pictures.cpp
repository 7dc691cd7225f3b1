// Draws every picture the program carries (splash, main window background,
// navigation buttons, window icon, reference tables and sketches) into one
// folder. The outputs are committed under src/resources/pictures; after a
// change in tools/pictures/, rebuild them with
//   cmake --build build --target pictures
// which runs
//   QT_QPA_PLATFORM=offscreen build/tools/make_pictures src/resources/pictures
// Needs the Noto Sans/Serif CJK SC fonts.

#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>
#include <cstdio>

#include "pictures/drawing_kit.h"
#include "pictures/picture_families.h"

int main(int argc, char *argv[]) {
    // Text needs a QGuiApplication for the font database.
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures <output folder>\n");
        return 2;
    }
    if (!QFontDatabase::families().contains(QStringLiteral("Noto Sans CJK SC")))
        std::fprintf(stderr, "warning: Noto Sans CJK SC is not installed\n");

    pictures::PictureSink sink(QString::fromLocal8Bit(argv[1]));
    pictures::DrawShellPictures(sink);
    pictures::DrawIcons(sink);
    pictures::DrawReferenceTables(sink);
    pictures::DrawCutSketches(sink);
    pictures::DrawHoleLayout(sink);
    return sink.Failed() ? 1 : 0;
}
