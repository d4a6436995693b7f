// The curve selection dialog (template 155): one list (control 1010) with a row per curve
// (swatch and number, name, plotted value, filter cut-off), several rows selectable. OK or
// a double click on a row confirms; the result is the positions of the selected rows in
// list order, at most 16.
#pragma once

#include <QDialog>
#include <QTableView>
#include <vector>

#include "app/BrandedTexts.h"
#include "model/CMessungObj.h"
#include "tables/TextConventions.h"

namespace vantrel::gui {

class TableModel;

class CurveSelectionDialog final : public QDialog {
  Q_OBJECT
 public:
  /// `measurement` and `texts` must outlive the dialog.
  CurveSelectionDialog(const model::CMessungObj& measurement, const app::BrandedTexts& texts,
                       const tables::TextConventions& conventions, QWidget* parent = nullptr);
  ~CurveSelectionDialog() override;

  /// The chosen curve positions in list order (valid after OK; empty before).
  const std::vector<int>& Selection() const { return selection_; }
  QTableView& List() { return *list_; }

  void accept() override;

 private:
  const model::CMessungObj& measurement_;
  TableModel* model_ = nullptr;
  QTableView* list_ = nullptr;
  std::vector<int> selection_;
};

}  // namespace vantrel::gui
