#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace tunnel {

// One sensor's reading of one blast.
struct VibrationRecord {
    QString date;         // 爆破日期, as written
    QString point;        // 测点
    double charge = 0;    // Q, the charge fired at once (kg)
    double distance = 0;  // R (m)
    double velocity = 0;  // measured peak particle velocity V (cm/s)
    bool used = true;     // 参与回归
    friend bool operator==(const VibrationRecord &, const VibrationRecord &) = default;
};

// What a read of records text gives: the rows that parsed, and one line per
// row that did not ("第n行：why"), which was skipped whole.
struct RecordsRead {
    std::vector<VibrationRecord> records;
    QStringList skipped;
};

// The column headings of the records table, 序号 first.
QStringList RecordColumnNames();

// Reads records from spreadsheet text: cells split at tabs when the first
// line holds one, else at commas; cells may be quoted ("a,b", "" for a
// quote). A first row that names the Q, R and V columns is a header and
// says which column is which; without one the columns are, by their count,
// Q R V; 日期 测点 Q R V; the same and 参与回归; or 序号 before all six.
// A Q, R or V cell must hold one number in C notation and nothing else;
// blank lines are ignored.
RecordsRead ParseRecordsText(const QString &text);

// The text of a file: UTF-8 (a byte order mark is optional), UTF-16 with a
// byte order mark, or else GBK.
QString DecodeRecordsBytes(const QByteArray &bytes);

// The records as the table shows them: a header row, then one row per
// record, comma-separated, CR LF after each; text cells are quoted where
// they hold a comma, a quote or a line break; a quantity not given (NaN)
// is an empty cell.
QString RecordsText(const std::vector<VibrationRecord> &records);

// Reads the records file or CSV import at path. Returns an empty text on
// success, else why it could not be read (read is then left alone).
QString ReadRecordsFile(const QString &path, RecordsRead &read);

// Writes RecordsText as GBK through the atomic write; empty, or the reason.
QString WriteRecordsFile(const QString &path, const std::vector<VibrationRecord> &records);

}  // namespace tunnel
