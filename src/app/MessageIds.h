// The IDs of the language library's texts: messages (kMsg...) and all other texts such as
// titles, labels and units (kStr...), each declared once and grouped as in the language
// files. The status texts of the commands share their command's number (CommandIds.h).
// The header depends on nothing, so every layer may use it.
#pragma once

#include <array>

namespace vantrel::ids {

// Language code (selects the default units).
inline constexpr int kStrLanguageCode = 32964;

// Port check and automatic configuration.
inline constexpr int kStrComCheckPrompt = 32829;
inline constexpr int kStrComCheckRunning = 32830;
inline constexpr int kStrCheckNoAnswer = 32831;
inline constexpr int kStrCheckAnswered = 32832;
inline constexpr int kStrAutoConfigPrompt = 32833;
inline constexpr int kStrSearching = 32834;  // port %d, baud rate %d
inline constexpr int kStrFound = 32835;      // port %d, baud rate %d
inline constexpr int kStrNothingFound = 32836;

// Column titles of lists and tables.
inline constexpr int kStrColumnNumber = 32837;
inline constexpr int kStrColumnName = 32838;
inline constexpr int kStrColumnColour = 32839;
inline constexpr int kStrColumnVisible = 32840;
inline constexpr int kStrColumnDisplay = 32841;
inline constexpr int kStrColumnXOffset = 32842;
inline constexpr int kStrColumnYOffset = 32843;
inline constexpr int kStrColumnDrawOrder = 32844;
inline constexpr int kStrColumnAxis = 32845;
inline constexpr int kStrColumnFilter = 32848;
inline constexpr int kStrColumnMarkerA = 32849;
inline constexpr int kStrColumnMarkerB = 32850;
inline constexpr int kStrColumnDifference = 32851;
inline constexpr int kStrColumnTime = 32856;
inline constexpr int kStrColumnUnit = 32859;
inline constexpr int kStrColumnCurve = 32860;

// Memory readout and online measurement.
inline constexpr int kStrConnectPrompt = 32846;
inline constexpr int kStrTransferring = 32861;  // measurement %d

// Value modes.
inline constexpr int kStrMinimum = 32852;
inline constexpr int kStrMaximum = 32853;
inline constexpr int kStrMean = 32854;
inline constexpr int kStrValue = 32855;

// Time units (hours, minutes, seconds in this order) and the units of the quantities.
inline constexpr int kStrHours = 32862;
inline constexpr int kStrMinutes = 32863;
inline constexpr int kStrSeconds = 32864;
inline constexpr int kStrUnitRevolutions = 32865;
inline constexpr int kStrUnitRpm = 32866;
inline constexpr int kStrUnitTurnsPerMinute = 32867;
inline constexpr int kStrUnitPsi = 32868;
inline constexpr int kStrUnitBar = 32869;
inline constexpr int kStrUnitCelsius = 32870;
inline constexpr int kStrUnitFahrenheit = 32871;
inline constexpr int kStrUnitLitresPerMinute = 32872;
inline constexpr int kStrUnitGpm = 32873;

// Curve origin (1..3 in this order), recording kind (0..1), trigger mode (1..4), edge.
inline constexpr int kStrOriginCopied = 32874;
inline constexpr int kStrOriginComputed = 32875;
inline constexpr int kStrOriginInstrument = 32876;
inline constexpr int kStrOnlineMeasurement = 32877;
inline constexpr int kStrMemoryReadout = 32878;
inline constexpr int kStrTriggerLevel = 32879;
inline constexpr int kStrTriggerManual = 32880;
inline constexpr int kStrTriggerExternal = 32881;
inline constexpr int kStrTriggerTimer = 32882;
inline constexpr int kStrEdgeRising = 32883;
inline constexpr int kStrEdgeFalling = 32884;
inline constexpr int kStrContactCloses = 32968;
inline constexpr int kStrContactOpens = 32969;

// Messages.
inline constexpr int kMsgOutOfMemory = 32900;
inline constexpr int kStrTextFileFilter = 32901;
inline constexpr int kMsgNotesChanged = 32902;
inline constexpr int kMsgTransferFailed = 32903;
inline constexpr int kMsgPortFailed = 32904;
inline constexpr int kMsgFileError = 32905;
inline constexpr int kMsgDeleteText = 32924;
inline constexpr int kMsgDeleteLine = 32925;
inline constexpr int kMsgFormulaInvalid = 32926;
inline constexpr int kMsgTooManyCurves = 32927;
inline constexpr int kMsgBadReference = 32928;
inline constexpr int kMsgMixedIntervals = 32929;
inline constexpr int kMsgEvaluationFailed = 32930;
inline constexpr int kMsgDivisionByZero = 32931;
inline constexpr int kMsgRootOfNegative = 32932;
inline constexpr int kMsgLogOfNegative = 32933;
inline constexpr int kMsgDeleteCurves = 32934;  // %d curves
inline constexpr int kMsgImportFailed = 32956;
inline constexpr int kMsgMinimumAboveMaximum = 32959;

// CSV export.
inline constexpr int kStrCsvMeasurement = 32906;  // ends in a blank
inline constexpr int kStrCsvStartTime = 32907;
inline constexpr int kStrCsvPretrigger = 32909;
inline constexpr int kStrCsvTriggerMode = 32910;
inline constexpr int kStrCsvEdge = 32911;
inline constexpr int kStrCsvCurve = 32912;
inline constexpr int kStrCsvName = 32913;
inline constexpr int kStrCsvChannel = 32914;
inline constexpr int kStrCsvDuration = 32915;
inline constexpr int kStrCsvUnit = 32916;
inline constexpr int kStrCsvRising = 32917;
inline constexpr int kStrCsvFalling = 32918;
inline constexpr int kStrCsvMean = 32919;
inline constexpr int kStrCsvMinimum = 32920;
inline constexpr int kStrCsvMaximum = 32921;
inline constexpr int kStrCsvValue = 32922;
inline constexpr int kStrCsvCurveTitle = 32923;  // ends in a blank

// Curve information (printout and information sheet).
inline constexpr int kStrInfoCurveNumber = 32935;
inline constexpr int kStrInfoChannel = 32936;
inline constexpr int kStrInfoUnit = 32937;
inline constexpr int kStrInfoSensorRange = 32938;
inline constexpr int kStrInfoOrigin = 32939;
inline constexpr int kStrInfoDisplay = 32940;
inline constexpr int kStrInfoSource = 32941;
inline constexpr int kStrInfoXOffset = 32942;
inline constexpr int kStrInfoYOffset = 32943;
inline constexpr int kStrInfoFilter = 32944;
inline constexpr int kStrInfoStartTime = 32945;
inline constexpr int kStrInfoFile = 32946;
inline constexpr int kStrInfoRecording = 32947;
inline constexpr int kStrInfoDuration = 32948;
inline constexpr int kStrInfoSampleInterval = 32949;
inline constexpr int kStrInfoTriggerMode = 32950;
inline constexpr int kStrInfoTriggerLevel = 32951;
inline constexpr int kStrInfoEdge = 32952;
inline constexpr int kStrInfoTriggerChannel = 32953;
inline constexpr int kStrInfoPretrigger = 32954;
inline constexpr int kStrInfoTrigger = 32955;

// Visibility, list window titles, axis list, save filters.
inline constexpr int kStrYes = 32957;
inline constexpr int kStrNo = 32958;
inline constexpr int kStrLegendTitle = 32960;
inline constexpr int kStrValueListTitle = 32961;
inline constexpr int kStrCurveInformationTitle = 32962;
inline constexpr int kStrExtremesTitle = 32963;
inline constexpr int kStrColumnDivisions = 32965;
inline constexpr int kStrImportedFilter = 32966;
inline constexpr int kStrDocumentFilter = 32967;

// Documents and settings that cannot be written.
inline constexpr int kMsgInstrumentFileNotWritten = 32990;
inline constexpr int kMsgSettingsNotSaved = 32991;

// Online measurement dialog.
inline constexpr int kStrSampleSets = 33040;     // %d
inline constexpr int kStrRecordingTime = 33041;  // %s
inline constexpr int kStrRecordingRunning = 33042;
inline constexpr int kStrRecordingEnded = 33043;

// Serial port cannot be opened: the reason and what to do; ports on this computer.
inline constexpr int kMsgPortNoPermissionGroup = 33060;
inline constexpr int kMsgPortNoPermission = 33061;
inline constexpr int kMsgPortNoDevice = 33062;
inline constexpr int kMsgPortNoDeviceAtAll = 33063;
inline constexpr int kMsgPortBusy = 33064;
inline constexpr int kMsgPortNotSerial = 33065;
inline constexpr int kStrPresentPorts = 33070;
inline constexpr int kStrNoPresentPorts = 33071;

// Crash recovery: recording journals, recovery copies, the recovery dialog (%1 the path).
inline constexpr int kMsgJournalNotWritten = 33080;
inline constexpr int kMsgItemUnreadable = 33081;
inline constexpr int kMsgOtherVersion = 33082;
inline constexpr int kMsgDamagedHeader = 33083;
inline constexpr int kMsgCopyNotWritten = 33084;
inline constexpr int kStrRecoveryTitle = 33085;
inline constexpr int kStrRecoveryIntro = 33086;
inline constexpr int kStrRecoveryRestore = 33087;
inline constexpr int kStrRecoveryDiscard = 33088;
inline constexpr int kStrRecoveryLater = 33089;
inline constexpr int kMsgDiscardConfirm = 33090;
inline constexpr int kStrKindJournal = 33091;
inline constexpr int kStrKindCopy = 33092;
inline constexpr int kStrRecoveryColumnName = 33093;
inline constexpr int kStrRecoveryColumnStart = 33094;
inline constexpr int kStrRecoveryColumnSamples = 33095;
inline constexpr int kStrRecoveryColumnAge = 33096;
inline constexpr int kStrAgeMinutes = 33097;  // %d
inline constexpr int kStrAgeHours = 33098;    // %d
inline constexpr int kStrAgeDays = 33099;     // %d
inline constexpr int kStrRecoveryInterval = 33100;
inline constexpr int kMsgJournalEndNotice = 33101;
inline constexpr int kMsgRecordingKept = 33102;

// Help window (handbook).
inline constexpr int kStrHelpTitle = 33120;
inline constexpr int kStrHelpContents = 33121;
inline constexpr int kStrHelpBack = 33122;
inline constexpr int kStrHelpForward = 33123;
inline constexpr int kStrHelpSearch = 33124;
inline constexpr int kMsgHelpNothingFound = 33125;
inline constexpr int kMsgHelpPageMissing = 33126;

// Command-line tool.
inline constexpr int kMsgPictureUnavailable = 33190;

// The status bar's idle text.
inline constexpr int kStrReady = 57345;

// Saving and opening files: causes of file errors (%1 the file), formula length, lost output.
inline constexpr int kMsgFileNotFound = 33000;
inline constexpr int kMsgFileIsFolder = 33001;
inline constexpr int kMsgFileNotOrdinary = 33002;
inline constexpr int kMsgFormulaTooLong = 33003;
inline constexpr int kMsgOutputLost = 33004;

// Status bar: the panes of the caps-lock, num-lock and scroll-lock keys.
inline constexpr int kStrIndicatorCaps = 33020;
inline constexpr int kStrIndicatorNum = 33021;
inline constexpr int kStrIndicatorScroll = 33022;

// Working folder of the basic settings: a folder that does not exist (%1), a file (%1).
inline constexpr int kMsgWorkingFolderMissing = 33030;
inline constexpr int kMsgWorkingFolderNotAFolder = 33031;

// Undo and redo: the menu texts naming the step ("&Rückgängig: %s").
inline constexpr int kStrUndoStep = 33044;
inline constexpr int kStrRedoStep = 33045;

// Standard texts of file dialogs, documents and input checks.
inline constexpr int kStrOpenTitle = 61440;
inline constexpr int kStrSaveAsTitle = 61441;
inline constexpr int kStrAllFilesFilter = 61442;
inline constexpr int kStrUntitled = 61443;
inline constexpr int kStrAboutMenuEntry = 61447;
inline constexpr int kStrAutoConfigMenuEntry = 61448;
inline constexpr int kMsgUnitTooLong = 61449;
inline constexpr int kStrMeasurementFilesFilter = 61450;
inline constexpr int kMsgOpenFailed = 61697;
inline constexpr int kMsgSaveFailed = 61698;
inline constexpr int kMsgSaveChanges = 61699;  // %1 the document
inline constexpr int kMsgNotAnInteger = 61712;
inline constexpr int kMsgNotANumber = 61713;
inline constexpr int kMsgIntegerRange = 61714;  // %1 .. %2
inline constexpr int kMsgNumberRange = 61715;   // %1 .. %2
inline constexpr int kMsgTextTooLong = 61716;   // %1 characters
inline constexpr int kMsgSelectButton = 61717;
inline constexpr int kMsgNotAPositiveInteger = 61719;
inline constexpr int kMsgUnexpectedFileFormat = 61728;
inline constexpr int kMsgFileInvalidPath = 61729;   // too long, a loop of links
inline constexpr int kMsgFileDiskFull = 61730;      // no space left, or the file size limit
inline constexpr int kMsgFileCannotRead = 61731;    // no permission to read
inline constexpr int kMsgFileAccessDenied = 61732;  // no permission to write, read-only
inline constexpr int kMsgFileReadError = 61733;     // any other failure while reading
inline constexpr int kMsgFileWriteError = 61734;    // any other failure while writing

/// Every text ID above, for the checks of the language files.
// clang-format off
inline constexpr std::array kAllMessageIds = {
    kStrLanguageCode,
    kStrIndicatorCaps, kStrIndicatorNum, kStrIndicatorScroll, kStrUndoStep, kStrRedoStep,
    kMsgWorkingFolderMissing, kMsgWorkingFolderNotAFolder,
    kStrComCheckPrompt, kStrComCheckRunning, kStrCheckNoAnswer, kStrCheckAnswered,
    kStrAutoConfigPrompt, kStrSearching, kStrFound, kStrNothingFound,
    kStrColumnNumber, kStrColumnName, kStrColumnColour, kStrColumnVisible, kStrColumnDisplay,
    kStrColumnXOffset, kStrColumnYOffset, kStrColumnDrawOrder, kStrColumnAxis, kStrColumnFilter,
    kStrColumnMarkerA, kStrColumnMarkerB, kStrColumnDifference, kStrColumnTime, kStrColumnUnit,
    kStrColumnCurve,
    kStrConnectPrompt, kStrTransferring,
    kStrMinimum, kStrMaximum, kStrMean, kStrValue,
    kStrHours, kStrMinutes, kStrSeconds, kStrUnitRevolutions, kStrUnitRpm, kStrUnitTurnsPerMinute,
    kStrUnitPsi, kStrUnitBar, kStrUnitCelsius, kStrUnitFahrenheit, kStrUnitLitresPerMinute,
    kStrUnitGpm,
    kStrOriginCopied, kStrOriginComputed, kStrOriginInstrument, kStrOnlineMeasurement,
    kStrMemoryReadout, kStrTriggerLevel, kStrTriggerManual, kStrTriggerExternal, kStrTriggerTimer,
    kStrEdgeRising, kStrEdgeFalling, kStrContactCloses, kStrContactOpens,
    kMsgOutOfMemory, kStrTextFileFilter, kMsgNotesChanged, kMsgTransferFailed, kMsgPortFailed,
    kMsgFileError, kMsgDeleteText, kMsgDeleteLine, kMsgFormulaInvalid, kMsgTooManyCurves,
    kMsgBadReference, kMsgMixedIntervals, kMsgEvaluationFailed, kMsgDivisionByZero,
    kMsgRootOfNegative, kMsgLogOfNegative, kMsgDeleteCurves, kMsgImportFailed,
    kMsgMinimumAboveMaximum,
    kStrCsvMeasurement, kStrCsvStartTime, kStrCsvPretrigger, kStrCsvTriggerMode, kStrCsvEdge,
    kStrCsvCurve, kStrCsvName, kStrCsvChannel, kStrCsvDuration, kStrCsvUnit, kStrCsvRising,
    kStrCsvFalling, kStrCsvMean, kStrCsvMinimum, kStrCsvMaximum, kStrCsvValue, kStrCsvCurveTitle,
    kStrInfoCurveNumber, kStrInfoChannel, kStrInfoUnit, kStrInfoSensorRange, kStrInfoOrigin,
    kStrInfoDisplay, kStrInfoSource, kStrInfoXOffset, kStrInfoYOffset, kStrInfoFilter,
    kStrInfoStartTime, kStrInfoFile, kStrInfoRecording, kStrInfoDuration, kStrInfoSampleInterval,
    kStrInfoTriggerMode, kStrInfoTriggerLevel, kStrInfoEdge, kStrInfoTriggerChannel,
    kStrInfoPretrigger, kStrInfoTrigger,
    kStrYes, kStrNo, kStrLegendTitle, kStrValueListTitle, kStrCurveInformationTitle,
    kStrExtremesTitle, kStrColumnDivisions, kStrImportedFilter, kStrDocumentFilter,
    kMsgInstrumentFileNotWritten, kMsgSettingsNotSaved,
    kStrSampleSets, kStrRecordingTime, kStrRecordingRunning, kStrRecordingEnded,
    kMsgPortNoPermissionGroup, kMsgPortNoPermission, kMsgPortNoDevice, kMsgPortNoDeviceAtAll,
    kMsgPortBusy, kMsgPortNotSerial, kStrPresentPorts, kStrNoPresentPorts,
    kMsgJournalNotWritten, kMsgItemUnreadable, kMsgOtherVersion, kMsgDamagedHeader,
    kMsgCopyNotWritten, kStrRecoveryTitle, kStrRecoveryIntro, kStrRecoveryRestore,
    kStrRecoveryDiscard, kStrRecoveryLater, kMsgDiscardConfirm, kStrKindJournal, kStrKindCopy,
    kStrRecoveryColumnName, kStrRecoveryColumnStart, kStrRecoveryColumnSamples,
    kStrRecoveryColumnAge, kStrAgeMinutes, kStrAgeHours, kStrAgeDays, kStrRecoveryInterval,
    kMsgJournalEndNotice, kMsgRecordingKept,
    kStrHelpTitle, kStrHelpContents, kStrHelpBack, kStrHelpForward, kStrHelpSearch,
    kMsgHelpNothingFound, kMsgHelpPageMissing,
    kMsgPictureUnavailable,
    kStrReady,
    kMsgFileNotFound, kMsgFileIsFolder, kMsgFileNotOrdinary, kMsgFormulaTooLong, kMsgOutputLost,
    kStrOpenTitle, kStrSaveAsTitle, kStrAllFilesFilter, kStrUntitled, kStrAboutMenuEntry,
    kStrAutoConfigMenuEntry, kMsgUnitTooLong, kStrMeasurementFilesFilter, kMsgOpenFailed,
    kMsgSaveFailed, kMsgSaveChanges, kMsgNotAnInteger, kMsgNotANumber, kMsgIntegerRange,
    kMsgNumberRange, kMsgTextTooLong, kMsgSelectButton, kMsgNotAPositiveInteger,
    kMsgUnexpectedFileFormat, kMsgFileInvalidPath, kMsgFileDiskFull, kMsgFileCannotRead,
    kMsgFileAccessDenied, kMsgFileReadError, kMsgFileWriteError};
// clang-format on

}  // namespace vantrel::ids
