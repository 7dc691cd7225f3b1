#include "core/ini_file.h"

#include <QFile>
#include <QVector>
#include <optional>

#include "core/gbk_text.h"

namespace tunnel {

namespace {

constexpr qsizetype kValueBuffer = 10240;

struct Line {
    qsizetype start;  // first byte
    qsizetype end;    // one past the last byte before the terminator
    qsizetype next;   // first byte of the next line
};

QVector<Line> SplitLines(const QByteArray &bytes) {
    QVector<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype lf = bytes.indexOf('\n', start);
        if (lf < 0) {
            lines.append({start, bytes.size(), bytes.size()});
            break;
        }
        qsizetype end = lf;
        if (end > start && bytes[end - 1] == '\r') --end;
        lines.append({start, end, lf + 1});
        start = lf + 1;
    }
    return lines;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArray Trimmed(QByteArrayView view) {
    qsizetype a = 0;
    qsizetype b = view.size();
    while (a < b && IsBlank(view[a])) ++a;
    while (b > a && IsBlank(view[b - 1])) --b;
    return view.sliced(a, b - a).toByteArray();
}

bool SameName(const QByteArray &a, const QString &b) {
    return QString::compare(FromGbk(a), b.trimmed(), Qt::CaseInsensitive) == 0;
}

// The first byte c that starts a character at or after from, or -1: the
// trail byte of 乚 (81 5D) is no "]".
qsizetype IndexOfChar(QByteArrayView bytes, char c, qsizetype from = 0) {
    for (qsizetype i = from; i < bytes.size(); i += GbkCharWidth(bytes, i))
        if (bytes[i] == c) return i;
    return -1;
}

// The section name of a "[name]" line, or null when it is no section line.
std::optional<QByteArray> SectionName(QByteArrayView line) {
    const QByteArray t = Trimmed(line);
    if (!t.startsWith('[')) return std::nullopt;
    qsizetype close = IndexOfChar(t, ']', 1);
    if (close < 0) close = t.size();
    return Trimmed(QByteArrayView(t).sliced(1, close - 1));
}

// Index of the first line of the section's body and one past its last
// line; -1 when the section is missing.
std::pair<int, int> FindSection(const QByteArray &bytes, const QVector<Line> &lines,
                                const QString &section) {
    for (int i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(
            QByteArrayView(bytes).sliced(lines[i].start, lines[i].end - lines[i].start));
        if (name && SameName(*name, section)) {
            int j = i + 1;
            while (j < lines.size() && !SectionName(QByteArrayView(bytes).sliced(
                                           lines[j].start, lines[j].end - lines[j].start)))
                ++j;
            return {i + 1, j};
        }
    }
    return {-1, -1};
}

// The line of key inside [from, to), or -1.
int FindKey(const QByteArray &bytes, const QVector<Line> &lines, int from, int to,
            const QString &key) {
    for (int i = from; i < to; ++i) {
        const QByteArrayView line =
            QByteArrayView(bytes).sliced(lines[i].start, lines[i].end - lines[i].start);
        const qsizetype eq = IndexOfChar(line, '=');
        if (eq < 0) continue;
        if (SameName(Trimmed(line.first(eq)), key)) return i;
    }
    return -1;
}

QByteArray CutToBuffer(QByteArray value) {
    if (value.size() < kValueBuffer) return value;
    // Cut at a character boundary so no half character comes back.
    qsizetype keep = 0;
    qsizetype i = 0;
    while (i < value.size()) {
        const qsizetype width = GbkCharWidth(value, i);
        if (i + width > kValueBuffer - 1) break;
        i += width;
        keep = i;
    }
    value.truncate(keep);
    return value;
}

}  // namespace

IniFile IniFile::Load(const QString &path) {
    QFile file(path);
    IniFile ini;
    if (file.open(QIODevice::ReadOnly)) ini.m_bytes = file.readAll();
    return ini;
}

IniFile IniFile::FromBytes(QByteArray bytes) {
    IniFile ini;
    ini.m_bytes = std::move(bytes);
    return ini;
}

QString IniFile::Read(const QString &section, const QString &key) const {
    const QVector<Line> lines = SplitLines(m_bytes);
    const auto [from, to] = FindSection(m_bytes, lines, section);
    if (from < 0) return QString();
    const int at = FindKey(m_bytes, lines, from, to, key);
    if (at < 0) return QString();
    const QByteArrayView line =
        QByteArrayView(m_bytes).sliced(lines[at].start, lines[at].end - lines[at].start);
    QByteArray value = Trimmed(line.sliced(IndexOfChar(line, '=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return FromGbk(CutToBuffer(value));
}

bool IniFile::Contains(const QString &section, const QString &key) const {
    const QVector<Line> lines = SplitLines(m_bytes);
    const auto [from, to] = FindSection(m_bytes, lines, section);
    return from >= 0 && FindKey(m_bytes, lines, from, to, key) >= 0;
}

void IniFile::Write(const QString &section, const QString &key, const QString &value) {
    QString flat = value;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray item = ToGbk(key.trimmed()) + '=' + ToGbk(flat);
    const QVector<Line> lines = SplitLines(m_bytes);
    const auto [from, to] = FindSection(m_bytes, lines, section);
    if (from < 0) {
        if (!m_bytes.isEmpty() && !m_bytes.endsWith('\n')) m_bytes += "\r\n";
        m_bytes += '[' + ToGbk(section.trimmed()) + "]\r\n" + item + "\r\n";
        return;
    }
    const int at = FindKey(m_bytes, lines, from, to, key);
    if (at >= 0) {
        m_bytes.replace(lines[at].start, lines[at].end - lines[at].start, item);
        return;
    }
    // After the last non-empty line of the section (or right after its header).
    int last = from - 1;
    for (int i = from; i < to; ++i)
        if (!Trimmed(QByteArrayView(m_bytes).sliced(lines[i].start, lines[i].end - lines[i].start))
                 .isEmpty())
            last = i;
    const Line &after = lines[last];
    if (after.next == after.end) {  // last line of the file has no terminator
        m_bytes.insert(after.end, "\r\n" + item + "\r\n");
    } else {
        m_bytes.insert(after.next, item + "\r\n");
    }
}

QString IniFile::Save(const QString &path) const {
    return WriteFileAtomically(path, m_bytes);
}

QString WriteItem(const QString &path, const QString &section, const QString &key,
                  const QString &text) {
    IniFile ini = IniFile::Load(path);
    ini.Write(section, key, text);
    return ini.Save(path);
}

}  // namespace tunnel
