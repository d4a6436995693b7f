// The curve import dialog (template 158): opens another document file as a side document
// without a window, lists its curves and copies the chosen one, with its own new y axis,
// into the target measurement. The side document lives as long as the dialog shows it.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <memory>

#include "document/CVantrel40Doc.h"
#include "gui/app/AppContext.h"
#include "model/CMessungObj.h"

namespace vantrel::gui {

class CImportDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 158;
  static constexpr int kPathEdit = 1027;
  static constexpr int kBrowseButton = 1029;
  static constexpr int kCurveList = 1085;

  CImportDlg(AppContext& context, model::CMessungObj& target, QWidget* parent);
  ~CImportDlg() override;

  /// The list entry of curve `position` (0-based): "Nr.: n  " and its name.
  static QString EntryText(int position, const std::u16string& name);

  /// Position of the curve OK added to the target, -1 while none was added.
  int AddedCurveIndex() const { return addedCurve_; }
  /// The side document's measurement, null when no file is open.
  const model::CMessungObj* SideMeasurement() const;

  /// Asks for the other file and opens it (the browse button; also once when shown).
  void ChooseFile();

 public slots:
  /// Copies the chosen curve into the target (see the header comment).
  void accept() override;
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  /// Opens `path` as the side document and lists its curves; false when it cannot be read
  /// (the document reported why).
  bool OpenSideDocument(const std::filesystem::path& path);
  /// Appends the copy of `source` to the target; false when memory ran out.
  bool CopyCurve(const model::CKurveObj& source, const std::u16string& sideName);

  AppContext& context_;
  model::CMessungObj& target_;
  std::unique_ptr<document::CVantrel40Doc> side_;
  QLineEdit* path_ = nullptr;
  QComboBox* curves_ = nullptr;
  bool choiceShown_ = false;
  int addedCurve_ = -1;
};

}  // namespace vantrel::gui
