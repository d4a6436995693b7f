// The sample command of the chart window (32784): the curve selection, then the sample
// table of the first chosen curve. Every sample the user changes marks the document
// modified at once.
#pragma once

#include "app/CommandIds.h"
#include "gui/app/OpenDocument.h"

namespace vantrel::gui {

class CMainFrame;

using ids::kCmdChartSamples;

/// Runs the curve selection and the sample table for `document`; true when the table was
/// confirmed with OK.
bool EditSamples(CMainFrame& frame, OpenDocument& document);

}  // namespace vantrel::gui
