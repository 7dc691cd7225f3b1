#include "modules/vibration/widgets/vibration_record_model.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

#include "core/conversions.h"

namespace tunnel {

namespace {

template <typename Record>
auto &Quantity(Record &record, int column) {
    return column == VibrationRecordModel::Charge     ? record.charge
           : column == VibrationRecordModel::Distance ? record.distance
                                                      : record.velocity;
}

bool IsQuantity(int column) {
    return column == VibrationRecordModel::Charge || column == VibrationRecordModel::Distance ||
           column == VibrationRecordModel::Velocity;
}

}  // namespace

VibrationRecordModel::VibrationRecordModel(QObject *parent) : QAbstractTableModel(parent) {}

void VibrationRecordModel::SetRecords(std::vector<VibrationRecord> records) {
    beginResetModel();
    m_records = std::move(records);
    endResetModel();
}

void VibrationRecordModel::Append(const std::vector<VibrationRecord> &records) {
    if (records.empty()) return;
    const int first = int(m_records.size());
    beginInsertRows({}, first, first + int(records.size()) - 1);
    m_records.insert(m_records.end(), records.begin(), records.end());
    endInsertRows();
}

void VibrationRecordModel::Remove(QList<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) {
        if (row < 0 || row >= int(m_records.size())) continue;
        beginRemoveRows({}, row, row);
        m_records.erase(m_records.begin() + row);
        endRemoveRows();
    }
}

int VibrationRecordModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_records.size());
}

int VibrationRecordModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VibrationRecordModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= int(m_records.size())) return {};
    const VibrationRecord &r = m_records[std::size_t(index.row())];
    const int column = index.column();
    if (role == Qt::CheckStateRole && column == Used) return r.used ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole)
        return int((column == Date || column == Point ? Qt::AlignLeft : Qt::AlignRight) |
                   Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    switch (column) {
        case Sequence:
            return index.row() + 1;
        case Date:
            return r.date;
        case Point:
            return r.point;
        case Charge:
        case Distance:
        case Velocity: {
            const double value = Quantity(r, column);
            return std::isnan(value) ? QString() : ToText(value);
        }
        default:
            return {};
    }
}

bool VibrationRecordModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || index.row() >= int(m_records.size())) return false;
    VibrationRecord &r = m_records[std::size_t(index.row())];
    const int column = index.column();
    if (column == Used && role == Qt::CheckStateRole) {
        r.used = value.toInt() == Qt::Checked;
    } else if (role != Qt::EditRole) {
        return false;
    } else if (column == Date || column == Point) {
        (column == Date ? r.date : r.point) = value.toString().trimmed();
    } else if (IsQuantity(column)) {
        const QString text = value.toString().trimmed();
        bool ok = text.isEmpty();
        const double number = ok ? std::nan("") : QLocale::c().toDouble(text, &ok);
        if (!ok || std::isinf(number)) return false;
        Quantity(r, column) = number;
    } else {
        return false;
    }
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags VibrationRecordModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Sequence) return base;
    if (index.column() == Used) return base | Qt::ItemIsUserCheckable;
    return base | Qt::ItemIsEditable;
}

QVariant VibrationRecordModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return {};
    static const QStringList names = RecordColumnNames();
    return names.value(section);
}

}  // namespace tunnel
