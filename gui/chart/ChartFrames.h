// The chart window of a document: its frame (CChildFrame) with the chart view inside.
#pragma once

namespace vantrel::gui {

class CMainFrame;

/// Makes every new document open in a chart window.
void InstallChartFrames(CMainFrame& frame);

}  // namespace vantrel::gui
