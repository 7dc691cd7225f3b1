#include "modules/vibration/core/vibration_records.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringDecoder>
#include <array>
#include <cmath>
#include <optional>
#include <variant>

#include "core/atomic_file.h"
#include "core/conversions.h"
#include "core/gbk_text.h"

namespace tunnel {

namespace {

enum Column { kSequence, kDate, kPoint, kCharge, kDistance, kVelocity, kUsed, kColumnCount };

constexpr std::array<const char *, kColumnCount> kColumnNames = {
    "序号", "爆破日期", "测点", "最大段药量Q(kg)", "距离R(m)", "实测振速V(cm/s)", "参与回归",
};

// Where each column stands in a row; -1: not given.
using ColumnMap = std::array<int, kColumnCount>;

struct Row {
    int line;  // 1-based line the row starts on
    QStringList cells;
};

// Splits text into rows of cells. A quoted cell may hold separators and
// line breaks; a lone CR ends a line as CR LF does.
std::vector<Row> SplitRows(const QString &text, QChar separator) {
    std::vector<Row> rows;
    Row row{1, {}};
    QString cell;
    bool quoted = false;
    bool rowHasText = false;
    int line = 1;
    auto endCell = [&] {
        row.cells << cell;
        cell.clear();
    };
    auto endRow = [&] {
        endCell();
        if (rowHasText) rows.push_back(std::move(row));
        row = Row{line, {}};
        rowHasText = false;
    };
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < size && text[i + 1] == u'"') {
                    cell += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n') ++line;
                cell += c;
            }
            continue;
        }
        if (c == u'"' && cell.trimmed().isEmpty()) {
            cell.clear();
            quoted = true;
            rowHasText = true;
        } else if (c == separator) {
            endCell();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n') ++i;
            ++line;
            endRow();
        } else {
            // The run up to the next character that means something, at once.
            qsizetype end = i + 1;
            while (end < size && text[end] != separator && text[end] != u'\r' &&
                   text[end] != u'\n' && text[end] != u'"')
                ++end;
            const QStringView run = QStringView(text).sliced(i, end - i);
            cell += run;
            if (!run.trimmed().isEmpty()) rowHasText = true;
            i = end - 1;
        }
    }
    endRow();
    return rows;
}

// The column a heading names, or -1.
int NamedColumn(const QString &heading) {
    QString h = heading.toLower();
    h.remove(u' ');
    if (h.contains(u"参与")) return kUsed;
    if (h.contains(u"序号") || h == u"no" || h == u"no.") return kSequence;
    if (h.contains(u"日期") || h.contains(u"date")) return kDate;
    if (h.contains(u"测点") || h.contains(u"point")) return kPoint;
    if (h.contains(u"药量") || h.startsWith(u'q')) return kCharge;
    if (h.contains(u"距离") || h.startsWith(u'r')) return kDistance;
    if (h.contains(u"振速") || h.contains(u"速度") || h.startsWith(u'v')) return kVelocity;
    return -1;
}

// The columns a header row names, when it names Q, R and V.
std::optional<ColumnMap> HeaderColumns(const QStringList &cells) {
    ColumnMap map;
    map.fill(-1);
    for (int i = 0; i < cells.size(); ++i) {
        const int column = NamedColumn(cells[i]);
        if (column >= 0 && map[column] < 0) map[column] = i;
    }
    if (map[kCharge] < 0 || map[kDistance] < 0 || map[kVelocity] < 0) return std::nullopt;
    return map;
}

// The columns of a row without a header, by how many cells it has.
std::optional<ColumnMap> CountedColumns(qsizetype count) {
    switch (count) {
        case 3:
            return ColumnMap{-1, -1, -1, 0, 1, 2, -1};
        case 5:
            return ColumnMap{-1, 0, 1, 2, 3, 4, -1};
        case 6:
            return ColumnMap{-1, 0, 1, 2, 3, 4, 5};
        case 7:
            return ColumnMap{0, 1, 2, 3, 4, 5, 6};
        default:
            return std::nullopt;
    }
}

// Spreadsheets leave empty cells after the last filled one.
QStringList WithoutTrailingBlanks(QStringList cells) {
    while (!cells.isEmpty() && cells.last().trimmed().isEmpty()) cells.removeLast();
    return cells;
}

std::optional<double> CellNumber(const QString &cell) {
    bool ok = false;
    const double value = QLocale::c().toDouble(cell.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<bool> CellUsed(const QString &cell) {
    const QString c = cell.trimmed().toLower();
    if (c.isEmpty() || c == u"是" || c == u"1" || c == u"√" || c == u"y" || c == u"yes" ||
        c == u"true")
        return true;
    if (c == u"否" || c == u"0" || c == u"×" || c == u"n" || c == u"no" || c == u"false")
        return false;
    return std::nullopt;
}

// The record of a row, or why it cannot be read.
std::variant<VibrationRecord, QString> ReadRow(const QStringList &cells, const ColumnMap &map) {
    auto cell = [&](Column column) {
        return map[column] >= 0 && map[column] < cells.size() ? cells[map[column]] : QString();
    };
    VibrationRecord record;
    record.date = cell(kDate).trimmed();
    record.point = cell(kPoint).trimmed();
    for (Column column : {kCharge, kDistance, kVelocity}) {
        const std::optional<double> value = CellNumber(cell(column));
        if (!value) {
            const QString name = QString::fromUtf8(kColumnNames[column]);
            if (cell(column).trimmed().isEmpty()) return QStringLiteral("%1为空").arg(name);
            return QStringLiteral("%1“%2”不是数字").arg(name, cell(column).trimmed());
        }
        (column == kCharge     ? record.charge
         : column == kDistance ? record.distance
                               : record.velocity) = *value;
    }
    const std::optional<bool> used = CellUsed(cell(kUsed));
    if (!used) return QStringLiteral("参与回归“%1”应为是或否").arg(cell(kUsed).trimmed());
    record.used = *used;
    return record;
}

QString Quantity(double value) {
    return std::isnan(value) ? QString() : ToText(value);
}

QString Quoted(const QString &text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
        !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

}  // namespace

QStringList RecordColumnNames() {
    QStringList names;
    for (const char *name : kColumnNames) names << QString::fromUtf8(name);
    return names;
}

RecordsRead ParseRecordsText(const QString &text) {
    RecordsRead read;
    // The first line with text says which separator the rows use.
    QChar separator = u',';
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) end = text.size();
        const QStringView line = QStringView(text).sliced(start, end - start);
        if (!line.trimmed().isEmpty()) {
            if (line.contains(u'\t')) separator = u'\t';
            break;
        }
        start = end + 1;
    }
    const std::vector<Row> rows = SplitRows(text, separator);
    std::optional<ColumnMap> header;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        if (i == 0 && (header = HeaderColumns(row.cells))) continue;
        const QStringList cells = header ? row.cells : WithoutTrailingBlanks(row.cells);
        const std::optional<ColumnMap> map = header ? header : CountedColumns(cells.size());
        if (!map) {
            read.skipped << QStringLiteral("第%1行：有%2列，应为3、5、6或7列")
                                .arg(row.line)
                                .arg(cells.size());
            continue;
        }
        auto result = ReadRow(cells, *map);
        if (auto *why = std::get_if<QString>(&result))
            read.skipped << QStringLiteral("第%1行：%2").arg(row.line).arg(*why);
        else
            read.records.push_back(std::get<VibrationRecord>(std::move(result)));
    }
    return read;
}

QString DecodeRecordsBytes(const QByteArray &bytes) {
    if (const std::optional<QStringConverter::Encoding> bom =
            QStringConverter::encodingForData(bytes);
        bom && *bom != QStringConverter::Utf8)
        return QStringDecoder(*bom).decode(bytes);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
        return text;
    }
    return FromGbk(bytes);
}

QString RecordsText(const std::vector<VibrationRecord> &records) {
    QString text = RecordColumnNames().join(u',') + QStringLiteral("\r\n");
    text.reserve(text.size() + qsizetype(records.size()) * 48);
    int sequence = 0;
    for (const VibrationRecord &r : records) {
        text += ToText(++sequence) + u',' + Quoted(r.date) + u',' + Quoted(r.point) + u',' +
                Quantity(r.charge) + u',' + Quantity(r.distance) + u',' + Quantity(r.velocity) +
                u',' + QChar(r.used ? u'是' : u'否') + QStringLiteral("\r\n");
    }
    return text;
}

QString ReadRecordsFile(const QString &path, RecordsRead &read) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return file.errorString();
    read = ParseRecordsText(DecodeRecordsBytes(bytes));
    return QString();
}

QString WriteRecordsFile(const QString &path, const std::vector<VibrationRecord> &records) {
    return WriteFileAtomically(path, ToGbk(RecordsText(records)));
}

}  // namespace tunnel
