// The formula curve dialog (template 149): the formula field, buttons that insert operators
// and function templates, the list of curve references I1..In, and OK, which adds the
// formula curve to the measurement with the working context filled when the dialog opened.
// Check failures keep the dialog open for a correction; evaluation failures close it with
// the measurement unchanged.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLineEdit>

#include "formula/FormulaContext.h"
#include "gui/app/AppContext.h"
#include "model/CMessungObj.h"

namespace vantrel::gui {

class CFormulaDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 149;
  static constexpr int kFormulaEdit = 1062;
  static constexpr int kReferenceList = 1030;
  /// The formula field takes at most this many characters.
  static constexpr int kMaxFormulaChars = 50;

  /// `whileRecording` is set only by the online recording's own dialog: it may add a curve to
  /// the measurement being recorded.
  CFormulaDlg(AppContext& context, model::CMessungObj& measurement, bool whileRecording,
              QWidget* parent);

  /// Position of the curve OK added, -1 while none was added.
  int AddedCurveIndex() const { return addedCurve_; }

  /// Inserts `text` at the caret of the formula field (replacing its selection) when the
  /// whole text fits into the field; true when it was inserted.
  bool InsertIntoFormula(const QString& text);

 public slots:
  /// Adds the formula curve (see the header comment).
  void accept() override;

 private:
  void AddInsertButton(QGridLayout& grid, int controlId, const QString& text, int row, int column);
  void OnReferenceChosen(int index);

  AppContext& context_;
  model::CMessungObj& measurement_;
  bool whileRecording_;
  /// The working context of the formula engine, filled once when the dialog opens.
  formula::FormulaContext working_;
  QLineEdit* formula_ = nullptr;
  QComboBox* references_ = nullptr;
  int addedCurve_ = -1;
};

/// Shows the formula dialog for `measurement` (the online recording's button passes
/// `whileRecording` true); true when a formula curve was added.
bool ShowFormulaDialog(AppContext& context, model::CMessungObj& measurement, bool whileRecording,
                       QWidget* parent);

}  // namespace vantrel::gui
