#include "data/point_table_model.h"

#include "session/number_format.h"

namespace frontend {

PointTableModel::PointTableModel(const PointArrays& points, QObject* parent)
    : QAbstractTableModel(parent), points_(points) {}

void PointTableModel::setXErrorColumn(bool withXErrors) {
    if (withXErrors == withXErrors_) return;
    beginResetModel();
    withXErrors_ = withXErrors;
    endResetModel();
}

std::optional<PointColumn> PointTableModel::kindOf(int column) const {
    static constexpr PointColumn withX[] = {PointColumn::X, PointColumn::XError, PointColumn::Y, PointColumn::YError};
    static constexpr PointColumn withoutX[] = {PointColumn::X, PointColumn::Y, PointColumn::YError};
    if (column < 0 || column >= columnCount()) return std::nullopt;
    return withXErrors_ ? withX[column] : withoutX[column];
}

void PointTableModel::fill(int rows, bool ySigma, bool xSigma) {
    filledRows_ = rows;
    ySigmaShown_ = ySigma;
    xSigmaShown_ = xSigma;
    emit dataChanged(index(0, 0), index(MaxPoints - 1, columnCount() - 1));
}

void PointTableModel::showRows(int rows) {
    const int first = std::min(filledRows_, rows);
    filledRows_ = rows;
    if (rows > 0) emit dataChanged(index(first, 0), index(rows - 1, columnCount() - 1));
}

int PointTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : MaxPoints; }

int PointTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (withXErrors_ ? 4 : 3);
}

QVariant PointTableModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= filledRows_) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto cell = [row](const std::vector<float>& values) -> QVariant {
        return row < values.size() ? QVariant(FormatCell(values[row])) : QVariant();
    };
    switch (*kindOf(index.column())) {
    case PointColumn::X: return cell(points_.x);
    case PointColumn::Y: return cell(points_.y);
    case PointColumn::YError: return ySigmaShown_ ? cell(points_.ySigma) : QVariant();
    case PointColumn::XError: return xSigmaShown_ ? cell(points_.xSigma) : QVariant();
    }
    return {};
}

QVariant PointTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    const auto kind = kindOf(section);
    if (!kind) return {};
    switch (*kind) {
    case PointColumn::X: return QStringLiteral("X");
    case PointColumn::XError: return QStringLiteral("X error");
    case PointColumn::Y: return QStringLiteral("Y");
    case PointColumn::YError: return QStringLiteral("Y Error");
    }
    return {};
}

} // namespace frontend
