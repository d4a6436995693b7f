// Command numbers of the chart window (menus and accelerators of the language texts) and the
// messages and dialog templates its commands use.
#pragma once

namespace vantrel::gui::chart_commands {

// Commands of the chart view.
inline constexpr int kDeleteCurves = 32780;
inline constexpr int kTitleText = 32785;
inline constexpr int kValuesByInterval = 32787;
inline constexpr int kValuesAll = 32788;
inline constexpr int kZoomBox = 32789;
inline constexpr int kZoomReset = 32790;
inline constexpr int kValuesSelected = 32791;
inline constexpr int kTextPlace = 32794;
inline constexpr int kTextDelete = 32795;
inline constexpr int kLineDraw = 32797;
inline constexpr int kLineDelete = 32798;
inline constexpr int kTitleToggle = 32800;
inline constexpr int kLegendToggle = 32801;
inline constexpr int kCursorDown = 32818;
inline constexpr int kCursorUp = 32819;
inline constexpr int kCursorLeft = 32820;
inline constexpr int kCursorRight = 32821;
inline constexpr int kCursorClick = 32822;
inline constexpr int kTextMove = 32971;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintDirect = 57608;
inline constexpr int kPrintPreview = 57609;

// Commands of the chart frame.
inline constexpr int kCopyChart = 32809;
inline constexpr int kExportCsv = 32810;

// Messages and templates.
inline constexpr int kMsgDeleteText = 32924;
inline constexpr int kMsgDeleteLine = 32925;
inline constexpr int kMsgDeleteCurves = 32934;
inline constexpr int kCsvFilterText = 32901;
/// The title of the CSV export's save dialog: the document save dialog's title.
inline constexpr int kCsvSaveTitle = 61441;
inline constexpr int kTextDialog = 141;
/// The accelerator table of the document menu (the keyboard cursor keys).
inline constexpr int kDocumentAccelerators = 129;

}  // namespace vantrel::gui::chart_commands
