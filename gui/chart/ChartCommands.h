// Command numbers of the chart window (menus and accelerators of the language texts) and the
// messages and dialog templates its commands use.
#pragma once

#include "app/CommandIds.h"
#include "app/MessageIds.h"

namespace vantrel::gui::chart_commands {

// Commands of the chart view.
using ids::kCmdCursorClick;
using ids::kCmdCursorDown;
using ids::kCmdCursorLeft;
using ids::kCmdCursorRight;
using ids::kCmdCursorUp;
using ids::kCmdCurveInformation;
using ids::kCmdDeleteCurves;
using ids::kCmdExtremes;
using ids::kCmdLegendToggle;
using ids::kCmdLineDelete;
using ids::kCmdLineDraw;
using ids::kCmdPrint;
using ids::kCmdPrintDirect;
using ids::kCmdPrintPreview;
using ids::kCmdTextDelete;
using ids::kCmdTextMove;
using ids::kCmdTextPlace;
using ids::kCmdTitleText;
using ids::kCmdTitleToggle;
using ids::kCmdValuesByInterval;
using ids::kCmdZoomBox;
using ids::kCmdZoomReset;

// Commands of the chart frame.
using ids::kCmdCopyChart;
using ids::kCmdExportCsv;

// Messages and templates.
using ids::kMsgDeleteCurves;
using ids::kMsgDeleteLine;
using ids::kMsgDeleteText;
using ids::kStrTextFileFilter;
/// The title of the CSV export's save dialog: the document save dialog's title.
using ids::kStrSaveAsTitle;
inline constexpr int kTextDialog = 141;
/// The accelerator table of the document menu (the keyboard cursor keys).
inline constexpr int kDocumentAccelerators = 129;

}  // namespace vantrel::gui::chart_commands
