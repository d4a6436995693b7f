// The sample table (template 156): every sample of one curve in a list (control 1010) that
// asks for the texts of the rows in sight only; "Bearbeiten..." (1049) or a double click
// opens the sample editor for the current row, and the list shows the new values at once.
#pragma once

#include <QDialog>
#include <QScrollBar>
#include <functional>
#include <memory>

#include "app/BrandedTexts.h"
#include "model/CKurveObj.h"
#include "platform/MessageService.h"

namespace vantrel::gui {

class RowWindowTable;
class TableModel;

class CSampleTableDlg final : public QDialog {
  Q_OBJECT
 public:
  /// `curve`, `texts` and `messages` must outlive the dialog. `changed` runs after every
  /// sample the editor changed (the document records the change there).
  CSampleTableDlg(model::CKurveObj& curve, const app::BrandedTexts& texts,
                  platform::MessageService& messages, char decimalSeparator,
                  std::function<void()> changed, QWidget* parent = nullptr);
  ~CSampleTableDlg() override;

  RowWindowTable& List() { return *list_; }
  TableModel& Model() { return *model_; }
  /// Opens the sample editor for the current row; true when the sample was changed.
  bool EditCurrentSample();

 private:
  model::CKurveObj& curve_;
  const app::BrandedTexts& texts_;
  platform::MessageService& messages_;
  char decimalSeparator_;
  std::function<void()> changed_;
  std::unique_ptr<TableModel> model_;
  QScrollBar* rows_ = nullptr;
  RowWindowTable* list_ = nullptr;
};

}  // namespace vantrel::gui
