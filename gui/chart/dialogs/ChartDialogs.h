// The chart commands that open the chart dialogs: chart setup (32779), markers (32799), the
// curve filter (32781, for the first curve of the curve selection) and the curve import
// (32792). Each works on the
// active document and does nothing without one; the curve import also does nothing while the
// measurement is being recorded. Changes reach the document's modified flag
// and every window of the document through OpenDocument::UpdateAllViews; the live marker
// and filter preview refresh the windows without marking the document.
#pragma once

#include <QWidget>

#include "app/CommandIds.h"
#include "gui/app/AppContext.h"
#include "model/CMessungObj.h"

namespace vantrel::gui {

class CMainFrame;
class OpenDocument;

using ids::kCmdChartFilterCurve;
using ids::kCmdChartMarkers;
using ids::kCmdChartSetup;
using ids::kCmdImportCurve;

/// Registers the four commands with the main frame.
void InstallChartDialogs(CMainFrame& frame);

/// Runs the chart setup dialog over `parent` for `measurement` (also for a measurement
/// being recorded). True when the measurement changed: confirmed, or changed by a curve or
/// axis dialog before a cancel.
bool RunChartSetup(QWidget* parent, const AppContext& context, model::CMessungObj& measurement);

/// The three commands for one document (the registered handlers call them with the active
/// document).
void ChartSetupCommand(QWidget* parent, const AppContext& context, OpenDocument& document);
void MarkersCommand(QWidget* parent, const AppContext& context, OpenDocument& document);
void FilterCurveCommand(QWidget* parent, const AppContext& context, OpenDocument& document);

}  // namespace vantrel::gui
