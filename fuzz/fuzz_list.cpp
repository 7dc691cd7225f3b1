// Both list readers split any bytes alike, and the pieces written back read
// back the same.
#include "fuzz_check.h"
#include "modules/dangerous_works/core/work_list_file.h"
#include "modules/period/core/rock_grade_list.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList grades = tunnel::ParseRockGradeList(bytes);
    const QStringList works = tunnel::ParseWorkList(bytes);
    FUZZ_CHECK(grades == works, QString::fromLatin1(bytes.toHex()));
    for (const QString &piece : grades) FUZZ_CHECK(!piece.contains(QLatin1Char('|')), piece);
    FUZZ_CHECK(tunnel::ParseRockGradeList(tunnel::FormatRockGradeList(grades)) == grades,
               QString::fromLatin1(bytes.toHex()));
    FUZZ_CHECK(tunnel::ParseWorkList(tunnel::WorkListBytes(works)) == works,
               QString::fromLatin1(bytes.toHex()));
    return 0;
}
