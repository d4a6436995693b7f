#include "gui/tables/TableModel.h"

#include <algorithm>
#include <climits>

#include "gui/platform/QtServices.h"
#include "gui/widgets/Swatches.h"

namespace vantrel::gui {

void TableModel::SetContents(std::unique_ptr<tables::TableContents> contents) {
  beginResetModel();
  contents_ = std::move(contents);
  first_ = std::clamp<long long>(first_, 0, std::max<long long>(TotalRows() - 1, 0));
  swatches_.clear();
  endResetModel();
}

int TableModel::RowsFor(long long first, int count) const {
  return static_cast<int>(std::clamp<long long>(TotalRows() - first, 0, count));
}

int TableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return RowsFor(first_, windowRows_);
}

void TableModel::SetRowWindow(long long first, int count) {
  first = std::clamp<long long>(first, 0, std::max<long long>(TotalRows() - 1, 0));
  count = std::max(count, 0);
  const bool moved = first != first_;
  const int before = rowCount();
  const int after = RowsFor(first, count);
  if (after < before) {
    beginRemoveRows({}, after, before - 1);
    first_ = first;
    windowRows_ = count;
    endRemoveRows();
  } else if (after > before) {
    beginInsertRows({}, before, after - 1);
    first_ = first;
    windowRows_ = count;
    endInsertRows();
  } else {
    first_ = first;
    windowRows_ = count;
  }
  const int kept = std::min(before, after);
  if (moved && kept > 0 && columnCount() > 0) {
    emit dataChanged(index(0, 0), index(kept - 1, columnCount() - 1));
  }
}

int TableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || contents_ == nullptr) return 0;
  return static_cast<int>(contents_->Columns().size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (contents_ == nullptr || !index.isValid()) return {};
  const long long row = first_ + index.row();
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return ToQString(contents_->CellText(row, column));
    case Qt::DecorationRole:
      if (column == 0) {
        if (const auto swatch = contents_->RowSwatch(row)) return Swatch(*swatch);
      }
      return {};
    case Qt::ForegroundRole:
      if (const auto color = contents_->CellColor(row, column)) return ToQColor(*color);
      return {};
    case Qt::TextAlignmentRole: {
      const auto& columns = contents_->Columns();
      const bool right = column >= 0 && static_cast<std::size_t>(column) < columns.size() &&
                         columns[static_cast<std::size_t>(column)].rightAligned;
      return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
      return {};
  }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (contents_ == nullptr || orientation != Qt::Horizontal || section < 0) return {};
  const auto& columns = contents_->Columns();
  if (static_cast<std::size_t>(section) >= columns.size()) return {};
  const tables::Column& column = columns[static_cast<std::size_t>(section)];
  if (role == Qt::DisplayRole) return ToQString(column.title);
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(Qt::AlignVCenter |
                               (column.rightAligned ? Qt::AlignRight : Qt::AlignLeft));
  }
  return {};
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QIcon TableModel::Swatch(platform::Color color) const {
  auto it = swatches_.find(color);
  if (it == swatches_.end()) {
    it = swatches_.emplace(color, SwatchIcon(color)).first;
  }
  return it->second;
}

}  // namespace vantrel::gui
