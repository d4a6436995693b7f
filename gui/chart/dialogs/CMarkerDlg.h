// The marker dialog (template 140): places the marker lines A and B of a measurement's
// chart with a scroll bar in sample steps and lists the two marker times, the time between
// them and, for every plotted value of every curve, its values at A and B and their
// difference. The chart shows the markers while the dialog is open (the document's views
// are refreshed at every move without marking it modified); closing removes them. The step
// arithmetic (reference curve, step count, start positions, scrolling) is the table
// library's; an interval, span or step count of 0 leaves the dialog usable.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <vector>

#include "app/BrandedTexts.h"
#include "gui/app/OpenDocument.h"
#include "tables/MarkerSteps.h"

namespace vantrel::gui {

class CMarkerDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 140;
  static constexpr int kValueList = 1010;
  static constexpr int kScrollBar = 1012;
  static constexpr int kMarkerA = 1017;
  static constexpr int kMarkerB = 1018;

  /// `document` (with a measurement) and `texts` must outlive the dialog.
  CMarkerDlg(OpenDocument& document, const app::BrandedTexts& texts, char decimalSeparator,
             QWidget* parent);
  ~CMarkerDlg() override;

  int PositionA() const { return positionA_; }
  int PositionB() const { return positionB_; }
  int StepCount() const { return scale_.stepCount; }
  QTreeWidget& ValueList() { return *list_; }
  QScrollBar& ScrollBar() { return *scrollBar_; }

 public slots:
  /// Removes both markers from the chart and ends the dialog.
  void done(int result) override;

 protected:
  /// The arrow and page keys on the scroll bar move the marker left and right.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Row {
    int curve = -1;    // -1 for the time row
    int selector = 0;  // 0 minimum, 1 maximum, 2 mean, 4 value
  };

  void BuildRows();
  void FillTexts();
  void ScrollAction(int action);
  /// Moves the active marker by one scroll code; `tracked` is the thumb's position.
  void Move(tables::MarkerScroll code, int tracked);
  void ShowActiveMarker();
  void PlaceMarkers();
  QString ValueText(double value) const;

  QPointer<OpenDocument> document_;
  model::CMessungObj& measurement_;
  const app::BrandedTexts& texts_;
  char decimalSeparator_;
  QTreeWidget* list_ = nullptr;
  QScrollBar* scrollBar_ = nullptr;
  QRadioButton* markerA_ = nullptr;
  QRadioButton* markerB_ = nullptr;
  tables::MarkerScale scale_;
  double xStart_ = 0.0;
  int positionA_ = 0;
  int positionB_ = 0;
  int active_ = -1;  // 0 = A, 1 = B
  std::vector<Row> rows_;
};

}  // namespace vantrel::gui
