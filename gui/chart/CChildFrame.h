// The chart window of a document: the frame around the chart view with the frame's own
// commands (CSV export of the measurement, copy of the chart picture to the clipboard). The
// dialogs of the chart menu find the active chart through DocumentManager::ActiveFrame and
// use the small public interface here (document, measurement, redraws).
#pragma once

#include "gui/app/DocumentFrame.h"
#include "gui/app/OpenDocument.h"
#include "gui/chart/CVantrel40View.h"

namespace vantrel::gui {

class CMainFrame;

class CChildFrame final : public DocumentFrame {
  Q_OBJECT
 public:
  CChildFrame(CMainFrame& main, OpenDocument& document, QWidget* parent = nullptr);

  /// The measurement shown; null when the document has none.
  model::CMessungObj* Measurement() { return Document().Measurement(); }
  CVantrel40View& View() { return *view_; }
  /// Redraws the chart (changes that other windows need not follow).
  void Repaint() { view_->Repaint(); }
  /// Redraws the chart at once (the marker dialog while the markers are moved).
  void RepaintNow() { view_->RepaintNow(); }

  bool HandleCommand(int commandId) override;
  std::optional<bool> CommandEnabled(int commandId) const override;
  void UpdateCommandStates(MenuBuilder& menus) override;
  void OnDocumentChanged() override { view_->DocumentChanged(); }

  /// Exports the measurement to a CSV file the user chooses.
  void ExportCsv();
  /// Puts the chart picture of the window's size on the clipboard.
  void CopyChart();

 private:
  CMainFrame& main_;
  CVantrel40View* view_ = nullptr;
};

}  // namespace vantrel::gui
