// A table whose cells are all computed when it is built: the legend, the extremes table,
// the information sheet and the curve selection list, each with at most a few hundred cells.
#pragma once

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/MessageService.h"
#include "tables/TableContents.h"

namespace vantrel::tables {

/// Runs one building step; when memory runs out shows message 32900 (OK, exclamation) and
/// returns false, so the caller stops and keeps the table as far as it was built.
template <typename Step>
bool BuildStep(platform::MessageService* messages, Step&& step) {
  try {
    step();
    return true;
  } catch (const std::bad_alloc&) {
    if (messages != nullptr) {
      messages->ShowMessage(platform::kMsgOutOfMemory, platform::Buttons::Ok,
                            platform::Icon::Exclamation);
    }
    return false;
  }
}

class TextGrid : public TableContents {
 public:
  const std::vector<Column>& Columns() const override { return columns_; }
  long long RowCount() const override { return static_cast<long long>(rows_.size()); }
  std::u16string CellText(long long row, int column) const override {
    if (row < 0 || row >= RowCount() || column < 0) return {};
    const auto& cells = rows_[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                           : std::u16string();
  }
  bool FitsColumnsToTexts() const override { return true; }
  std::optional<platform::Color> RowSwatch(long long row) const override {
    if (row < 0 || row >= static_cast<long long>(swatches_.size())) return {};
    return swatches_[static_cast<std::size_t>(row)];
  }

 protected:
  void AddColumn(std::u16string title, int titleWidths, int extraPixels, bool right = false) {
    columns_.push_back(Column{std::move(title), titleWidths, extraPixels, right});
  }
  /// A column of the user's texts (curve names).
  void AddUserTextColumn(std::u16string title, int titleWidths, int extraPixels) {
    columns_.push_back(Column{std::move(title), titleWidths, extraPixels, false, true});
  }
  /// Appends a row; `swatch` only for tables with swatch images.
  void AddRow(std::vector<std::u16string> cells, std::optional<platform::Color> swatch = {}) {
    rows_.push_back(std::move(cells));
    swatches_.push_back(swatch);
  }

 private:
  std::vector<Column> columns_;
  std::vector<std::vector<std::u16string>> rows_;
  std::vector<std::optional<platform::Color>> swatches_;
};

}  // namespace vantrel::tables
