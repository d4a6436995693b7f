// The curve filter dialog (template 145): steps the cut-off frequency of a curve's low-pass
// filter down and up the series 500, 250, 100, 50, 25, 10, ... Hz; every step recomputes
// the curve's filter preview and refreshes the document's views, so the chart shows it at
// once. OK makes a shown preview the curve's samples; Cancel (or closing) drops the
// preview. The series arithmetic is the table library's.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "app/BrandedTexts.h"
#include "gui/app/OpenDocument.h"
#include "model/CKurveObj.h"

namespace vantrel::gui {

class CFilterDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 145;
  static constexpr int kCutoffEdit = 1048;
  static constexpr int kLowerButton = 1046;
  static constexpr int kHigherButton = 1047;

  /// `document`, `curve` (one of its curves) and `texts` must outlive the dialog.
  CFilterDlg(OpenDocument& document, model::CKurveObj& curve, const app::BrandedTexts& texts,
             char decimalSeparator, QWidget* parent);
  ~CFilterDlg() override;

  float Cutoff() const { return cutoff_; }
  float UpperLimit() const { return upperLimit_; }
  /// True when OK replaced the samples by a preview.
  bool Committed() const { return committed_; }

  void Lower();
  void Higher();

 public slots:
  void accept() override;
  void reject() override;

 private:
  void Preview();
  void ShowCutoff();

  QPointer<OpenDocument> document_;
  model::CKurveObj& curve_;
  char decimalSeparator_;
  QLineEdit* cutoffEdit_ = nullptr;
  QPushButton* lower_ = nullptr;
  QPushButton* higher_ = nullptr;
  float cutoff_ = 0.0F;
  float upperLimit_ = 0.0F;
  bool committed_ = false;
};

}  // namespace vantrel::gui
