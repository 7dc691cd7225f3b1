#pragma once

#include <zip.h>

#include <QByteArray>
#include <QHash>
#include <QString>

namespace tunnel::test {

// Each part of a zip package with its stored modification time; empty when
// the bytes are no package.
inline QHash<QString, qint64> PackageEntryTimes(const QByteArray &bytes) {
    QHash<QString, qint64> times;
    zip_error_t error;
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), bytes.size(), 0, &error);
    zip_t *archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (!archive) {
        if (source) zip_source_free(source);
        return times;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &st) == 0)
            times.insert(QString::fromUtf8(st.name), qint64(st.mtime));
    }
    zip_discard(archive);
    return times;
}

}  // namespace tunnel::test
