#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "modules/vibration/core/vibration_records.h"

namespace tunnel {

// The records table: 序号, the date and point texts, Q, R and V, and the
// check column 参与回归. A quantity cell takes a number or nothing (not
// given); any other text is refused and the cell keeps its value.
class VibrationRecordModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Sequence, Date, Point, Charge, Distance, Velocity, Used, ColumnCount };

    explicit VibrationRecordModel(QObject *parent = nullptr);

    const std::vector<VibrationRecord> &Records() const { return m_records; }
    void SetRecords(std::vector<VibrationRecord> records);
    void Append(const std::vector<VibrationRecord> &records);
    // Removes the rows given (any order, duplicates allowed).
    void Remove(QList<int> rows);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<VibrationRecord> m_records;
};

}  // namespace tunnel
