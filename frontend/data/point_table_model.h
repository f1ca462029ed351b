// The data grid's model: 16000 rows over the data screen's working arrays, with the columns X,
// [X error,] Y, Y error. Cells show FormatCell texts; a column the screen has not filled stays empty.
// The grid only shows the points; they change through the data screen's commands.
#ifndef FRONTEND_DATA_POINT_TABLE_MODEL_H
#define FRONTEND_DATA_POINT_TABLE_MODEL_H

#include "data/data_file.h"

#include <QAbstractTableModel>

namespace frontend {

enum class PointColumn { X, XError, Y, YError };

class PointTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PointTableModel(const PointArrays& points, QObject* parent = nullptr);

    // The column layout: with X errors allowed X, X error, Y, Y error, else X, Y, Y error.
    void setXErrorColumn(bool withXErrors);
    // The kind of column `index`, or nothing outside the layout.
    std::optional<PointColumn> kindOf(int column) const;

    // Shows points 1..rows of the arrays, the error columns only when `ySigma` / `xSigma` say so.
    void fill(int rows, bool ySigma, bool xSigma);
    // Empties every cell.
    void clear() { fill(0, false, false); }
    // Shows points 1..rows with the error columns as they are (typed entry adds one row at a time).
    void showRows(int rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const PointArrays& points_;
    bool withXErrors_ = false;
    int filledRows_ = 0;
    bool ySigmaShown_ = false;
    bool xSigmaShown_ = false;
};

} // namespace frontend

#endif
