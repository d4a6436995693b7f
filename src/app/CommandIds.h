// The command IDs of menus, toolbars and keys, each declared once. The language library's
// status text (status text \n tooltip) of a command has the command's number.
// The header depends on nothing, so every layer may use it.
#pragma once

#include <array>

namespace vantrel::ids {

// File menu and the document commands of the main frame.
inline constexpr int kCmdNew = 57600;
inline constexpr int kCmdOpen = 57601;
inline constexpr int kCmdClose = 57602;
inline constexpr int kCmdSave = 57603;
inline constexpr int kCmdSaveAs = 57604;
inline constexpr int kCmdPrintSetup = 57606;
inline constexpr int kCmdPrint = 57607;
inline constexpr int kCmdPrintDirect = 57608;
inline constexpr int kCmdPrintPreview = 57609;
inline constexpr int kCmdRecentFile = 57616;  // the first entry of the recent-file list
inline constexpr int kCmdCloseAll = 32807;
inline constexpr int kCmdExit = 57665;

// Edit menu of the document windows: undo and redo of the active document's changes.
inline constexpr int kCmdUndo = 57643;
inline constexpr int kCmdRedo = 57644;

// Edit commands (notes editor).
inline constexpr int kCmdEditCopy = 57634;
inline constexpr int kCmdEditCut = 57635;
inline constexpr int kCmdEditPaste = 57637;

// Window menu.
inline constexpr int kCmdNewWindow = 57648;
inline constexpr int kCmdArrange = 57649;
inline constexpr int kCmdCascade = 57650;
inline constexpr int kCmdTileHorizontal = 57651;
inline constexpr int kCmdTileVertical = 57652;

// View menu.
inline constexpr int kCmdToolbar = 59392;
inline constexpr int kCmdStatusBar = 59393;

// Help menu.
inline constexpr int kCmdAbout = 57664;
inline constexpr int kCmdHelpTopics = 57667;
inline constexpr int kCmdContextHelp = 57669;
inline constexpr int kCmdHelp = 57670;
inline constexpr int kCmdHelpTopicsAlternative = 57671;

// Instrument: readout, online measurement, port settings, check and automatic configuration.
inline constexpr int kCmdReadMemory = 32772;
inline constexpr int kCmdOnlineStart = 32774;
inline constexpr int kCmdOnlineStop = 32775;
inline constexpr int kCmdCommSettings = 32802;
inline constexpr int kCmdComCheck = 32803;
inline constexpr int kCmdAutoConfig = 32804;
inline constexpr int kCmdBasicSettings = 32805;

// Chart window: dialogs, curves, tables, zoom, texts and lines.
inline constexpr int kCmdChartSetup = 32779;
inline constexpr int kCmdDeleteCurves = 32780;
inline constexpr int kCmdChartFilterCurve = 32781;
inline constexpr int kCmdFormulaCurve = 32782;
inline constexpr int kCmdUnits = 32783;
inline constexpr int kCmdChartSamples = 32784;
inline constexpr int kCmdTitleText = 32785;
inline constexpr int kCmdChartNotes = 32786;
inline constexpr int kCmdValuesByInterval = 32787;
inline constexpr int kCmdExtremes = 32788;
inline constexpr int kCmdZoomBox = 32789;
inline constexpr int kCmdZoomReset = 32790;
inline constexpr int kCmdCurveInformation = 32791;
inline constexpr int kCmdImportCurve = 32792;
inline constexpr int kCmdTextPlace = 32794;
inline constexpr int kCmdTextDelete = 32795;
inline constexpr int kCmdLineDraw = 32797;
inline constexpr int kCmdLineDelete = 32798;
inline constexpr int kCmdChartMarkers = 32799;
inline constexpr int kCmdTitleToggle = 32800;
inline constexpr int kCmdLegendToggle = 32801;
inline constexpr int kCmdCopyChart = 32809;
inline constexpr int kCmdExportCsv = 32810;
inline constexpr int kCmdTextMove = 32971;

// Notes editor.
inline constexpr int kCmdNotesLoad = 32811;
inline constexpr int kCmdNotesSave = 32812;
inline constexpr int kCmdNotesFont = 32813;
inline constexpr int kCmdNotesAlignLeft = 32814;
inline constexpr int kCmdNotesAlignCenter = 32815;
inline constexpr int kCmdNotesAlignRight = 32816;
inline constexpr int kCmdNotesStore = 32817;

// The keyboard cursor of the chart (mouse pointer moves and click).
inline constexpr int kCmdCursorDown = 32818;
inline constexpr int kCmdCursorUp = 32819;
inline constexpr int kCmdCursorLeft = 32820;
inline constexpr int kCmdCursorRight = 32821;
inline constexpr int kCmdCursorClick = 32822;

/// Every command ID above, for the checks of the language files.
// clang-format off
inline constexpr std::array kAllCommandIds = {
    kCmdNew, kCmdOpen, kCmdClose, kCmdSave, kCmdSaveAs, kCmdPrintSetup, kCmdPrint, kCmdPrintDirect,
    kCmdPrintPreview, kCmdRecentFile, kCmdCloseAll, kCmdExit,
    kCmdUndo, kCmdRedo, kCmdEditCopy, kCmdEditCut, kCmdEditPaste,
    kCmdNewWindow, kCmdArrange, kCmdCascade, kCmdTileHorizontal, kCmdTileVertical,
    kCmdToolbar, kCmdStatusBar,
    kCmdAbout, kCmdHelpTopics, kCmdContextHelp, kCmdHelp, kCmdHelpTopicsAlternative,
    kCmdReadMemory, kCmdOnlineStart, kCmdOnlineStop, kCmdCommSettings, kCmdComCheck, kCmdAutoConfig,
    kCmdBasicSettings,
    kCmdChartSetup, kCmdDeleteCurves, kCmdChartFilterCurve, kCmdFormulaCurve, kCmdUnits,
    kCmdChartSamples, kCmdTitleText, kCmdChartNotes, kCmdValuesByInterval, kCmdExtremes,
    kCmdZoomBox, kCmdZoomReset, kCmdCurveInformation, kCmdImportCurve, kCmdTextPlace,
    kCmdTextDelete, kCmdLineDraw, kCmdLineDelete, kCmdChartMarkers, kCmdTitleToggle,
    kCmdLegendToggle, kCmdCopyChart, kCmdExportCsv, kCmdTextMove,
    kCmdNotesLoad, kCmdNotesSave, kCmdNotesFont, kCmdNotesAlignLeft, kCmdNotesAlignCenter,
    kCmdNotesAlignRight, kCmdNotesStore,
    kCmdCursorDown, kCmdCursorUp, kCmdCursorLeft, kCmdCursorRight, kCmdCursorClick};
// clang-format on

}  // namespace vantrel::ids
