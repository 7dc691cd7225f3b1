#include "core/docx_package.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace tunnel {

namespace {

void SetError(QString *error, const QString &text) {
    if (error) *error = text;
}

QString ZipErrorText(zip_error_t *e) {
    return QString::fromUtf8(zip_error_strerror(e));
}

// The whole of an open part, false when reading it failed (a bad checksum
// shows at its end).
bool ReadAll(zip_file_t *file, std::string *bytes) {
    char buffer[65536];
    zip_int64_t n;
    while ((n = zip_fread(file, buffer, sizeof buffer)) > 0)
        if (bytes) bytes->append(buffer, std::size_t(n));
    zip_fclose(file);
    return n == 0;
}

// The main part deflated by a stream kept for the thread: libzip would set
// up and free 400 KiB of deflate state for every save, and the allocator
// hands such blocks back to the system and faults them in again.
class MainDeflater {
public:
    ~MainDeflater() {
        if (m_level >= 0) deflateEnd(&m_stream);
    }

    // The raw deflate stream of data, valid until the next call; null when
    // zlib fails.
    const std::string *Deflate(const std::string &data, int level) {
        if (m_level != level) {
            if (m_level >= 0) deflateEnd(&m_stream);
            m_stream = {};
            m_level = -1;
            if (deflateInit2(&m_stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
                Z_OK)
                return nullptr;
            m_level = level;
        } else if (deflateReset(&m_stream) != Z_OK) {
            return nullptr;
        }
        m_out.resize(deflateBound(&m_stream, uLong(data.size())));
        m_stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
        m_stream.avail_in = uInt(data.size());
        m_stream.next_out = reinterpret_cast<Bytef *>(m_out.data());
        m_stream.avail_out = uInt(m_out.size());
        if (deflate(&m_stream, Z_FINISH) != Z_STREAM_END) return nullptr;
        m_out.resize(m_stream.total_out);
        return &m_out;
    }

private:
    z_stream m_stream{};
    int m_level = -1;
    std::string m_out;  // its capacity kept from save to save
};

// A part handed to libzip already deflated, which it then writes as it is.
struct DeflatedPart {
    const std::string *deflated;
    zip_uint64_t size;  // inflated
    quint32 crc;
    zip_uint64_t offset = 0;
    zip_error_t error;
};

zip_int64_t ReadDeflatedPart(void *state, void *data, zip_uint64_t length,
                             zip_source_cmd_t command) {
    DeflatedPart &part = *static_cast<DeflatedPart *>(state);
    switch (command) {
        case ZIP_SOURCE_OPEN:
            part.offset = 0;
            return 0;
        case ZIP_SOURCE_READ: {
            const zip_uint64_t n =
                std::min<zip_uint64_t>(length, part.deflated->size() - part.offset);
            std::memcpy(data, part.deflated->data() + part.offset, std::size_t(n));
            part.offset += n;
            return zip_int64_t(n);
        }
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_STAT: {
            zip_stat_t *st = static_cast<zip_stat_t *>(data);
            zip_stat_init(st);
            st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC |
                        ZIP_STAT_ENCRYPTION_METHOD;
            st->size = part.size;
            st->comp_size = part.deflated->size();
            st->comp_method = ZIP_CM_DEFLATE;
            st->crc = part.crc;
            st->encryption_method = ZIP_EM_NONE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&part.error, data, length);
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                  ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            zip_error_set(&part.error, ZIP_ER_OPNOTSUPP, 0);
            return -1;
    }
}

}  // namespace

DocxPackage::~DocxPackage() {
    if (m_archive) zip_discard(m_archive);
}

std::shared_ptr<const DocxPackage> DocxPackage::Open(const QByteArray &bytes, std::string *mainXml,
                                                     QString *error) {
    std::shared_ptr<DocxPackage> package(new DocxPackage);
    DocxPackage &d = *package;
    d.m_bytes = bytes;

    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t *source =
        zip_source_buffer_create(d.m_bytes.constData(), zip_uint64_t(d.m_bytes.size()), 0, &zerror);
    if (source) d.m_archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zerror);
    if (!d.m_archive) {
        SetError(error, QStringLiteral("不是有效的Word文档：%1").arg(ZipErrorText(&zerror)));
        if (source) zip_source_free(source);
        zip_error_fini(&zerror);
        return nullptr;
    }
    zip_error_fini(&zerror);

    const zip_int64_t count = zip_get_num_entries(d.m_archive, 0);
    bool haveMain = false;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(d.m_archive, zip_uint64_t(i), ZIP_FL_ENC_RAW, &st) != 0) continue;
        const std::string name = st.name;
        // Directory entries make Word offer a repair.
        if (name.empty() || name.back() == '/') continue;
        const time_t mtime = (st.valid & ZIP_STAT_MTIME) ? st.mtime : 315532800;
        Entry entry{name, zip_uint64_t(i), mtime};
        if (name == kContentTypes)
            d.m_entries.insert(d.m_entries.begin(), entry);
        else
            d.m_entries.push_back(entry);
    }
    for (std::size_t i = 0; i < d.m_entries.size(); ++i) {
        if (d.m_entries[i].name == kMainPart) {
            d.m_mainEntry = i;
            haveMain = true;
        }
    }
    if (!haveMain) {
        SetError(error, QStringLiteral("文档中没有正文部分"));
        return nullptr;
    }

    for (const Entry &entry : d.m_entries) {
        if (&entry == &d.m_entries[d.m_mainEntry]) continue;
        zip_file_t *part = zip_fopen_index(d.m_archive, entry.index, 0);
        if (!part || !ReadAll(part, nullptr)) {
            SetError(error, QStringLiteral("无法读取文档部分 %1：%2")
                                .arg(QString::fromStdString(entry.name),
                                     QString::fromUtf8(zip_strerror(d.m_archive))));
            return nullptr;
        }
    }

    std::string xml;
    zip_file_t *file = zip_fopen_index(d.m_archive, d.m_entries[d.m_mainEntry].index, 0);
    if (!file || !ReadAll(file, &xml)) {
        SetError(error, QStringLiteral("无法读取文档正文：%1")
                            .arg(QString::fromUtf8(zip_strerror(d.m_archive))));
        return nullptr;
    }
    if (mainXml) *mainXml = std::move(xml);
    return package;
}

std::vector<std::string> DocxPackage::PartNames() const {
    std::vector<std::string> names;
    for (const Entry &entry : m_entries) names.push_back(entry.name);
    return names;
}

std::string DocxPackage::Part(const std::string &name) const {
    const std::lock_guard lock(m_mutex);
    std::string bytes;
    const zip_int64_t index = zip_name_locate(m_archive, name.c_str(), 0);
    if (index < 0) return bytes;
    if (zip_file_t *file = zip_fopen_index(m_archive, zip_uint64_t(index), 0))
        ReadAll(file, &bytes);
    return bytes;
}

QByteArray DocxPackage::Save(const std::string &mainXml, int mainLevel, const DocxParts &parts,
                             qint64 entryTime, QString *error) const {
    thread_local MainDeflater deflater;
    const std::string *deflated = deflater.Deflate(mainXml, mainLevel);
    if (!deflated) {
        SetError(error, QStringLiteral("无法压缩文档正文"));
        return {};
    }
    DeflatedPart main{.deflated = deflated,
                      .size = mainXml.size(),
                      .crc = quint32(crc32_z(0, reinterpret_cast<const Bytef *>(mainXml.data()),
                                             mainXml.size()))};
    zip_error_init(&main.error);
    // Fini'd however the save ends.
    struct ErrorFini {
        zip_error_t *e;
        ~ErrorFini() { zip_error_fini(e); }
    } mainErrorFini{&main.error};

    const std::lock_guard lock(m_mutex);
    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t *target = zip_source_buffer_create(nullptr, 0, 0, &zerror);
    zip_t *out = target ? zip_open_from_source(target, ZIP_TRUNCATE, &zerror) : nullptr;
    if (!out) {
        SetError(error, QStringLiteral("无法建立文档：%1").arg(ZipErrorText(&zerror)));
        if (target) zip_source_free(target);
        zip_error_fini(&zerror);
        return {};
    }
    zip_error_fini(&zerror);
    // Kept past zip_close, which would otherwise free it with the archive.
    zip_source_keep(target);

    auto fail = [&](const QString &what) {
        SetError(error, QStringLiteral("%1：%2").arg(what, QString::fromUtf8(zip_strerror(out))));
        zip_discard(out);
        zip_source_free(target);
        return QByteArray();
    };

    // A fresh archive in the original order: local headers are written new
    // (no data descriptors left over), other parts keep their stored bytes.
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry &entry = m_entries[i];
        const auto part = parts.find(entry.name);
        zip_source_t *data =
            i == m_mainEntry ? zip_source_function(out, ReadDeflatedPart, &main)
            : part != parts.end()
                ? zip_source_buffer(out, part->second.data(), part->second.size(), 0)
                : zip_source_zip(out, m_archive, entry.index, 0, 0, -1);
        if (!data)
            return fail(QStringLiteral("无法复制 %1").arg(QString::fromStdString(entry.name)));
        const zip_int64_t index = zip_file_add(out, entry.name.c_str(), data, ZIP_FL_ENC_GUESS);
        if (index < 0) {
            zip_source_free(data);
            return fail(QStringLiteral("无法写入 %1").arg(QString::fromStdString(entry.name)));
        }
        const time_t mtime = entryTime >= 0 ? time_t(entryTime) : entry.mtime;
        zip_file_set_mtime(out, zip_uint64_t(index), mtime, 0);
    }
    // Added parts (pictures) after the template's own.
    for (const auto &part : parts) {
        const std::string &name = part.first;
        const std::string &bytes = part.second;
        if (std::any_of(m_entries.begin(), m_entries.end(),
                        [&](const Entry &e) { return e.name == name; }))
            continue;
        zip_source_t *data = zip_source_buffer(out, bytes.data(), bytes.size(), 0);
        const zip_int64_t index =
            data ? zip_file_add(out, name.c_str(), data, ZIP_FL_ENC_GUESS) : -1;
        if (index < 0) {
            if (data) zip_source_free(data);
            return fail(QStringLiteral("无法写入 %1").arg(QString::fromStdString(name)));
        }
        const time_t mtime = entryTime >= 0 ? time_t(entryTime) : m_entries.front().mtime;
        zip_file_set_mtime(out, zip_uint64_t(index), mtime, 0);
    }
    if (zip_close(out) != 0) return fail(QStringLiteral("无法保存文档"));

    QByteArray bytes;
    zip_stat_t st;
    if (zip_source_stat(target, &st) == 0 && (st.valid & ZIP_STAT_SIZE) &&
        zip_source_open(target) == 0) {
        bytes.resize(qsizetype(st.size));
        const zip_int64_t n = zip_source_read(target, bytes.data(), st.size);
        zip_source_close(target);
        if (n != zip_int64_t(st.size)) bytes.clear();
    }
    zip_source_free(target);
    if (bytes.isEmpty()) SetError(error, QStringLiteral("无法取出保存的文档"));
    return bytes;
}

}  // namespace tunnel
