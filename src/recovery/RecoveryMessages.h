// Message IDs of crash recovery: journal and copy trouble, the recovery dialog and the
// recovery interval setting. Texts taking "%1" get the item's path.
#pragma once

namespace vantrel::recovery {

enum RecoveryMessage : int {
  kMsgJournalNotWritten = 33080,  // journal unwritable: the recording continues in memory (%1)
  kMsgItemUnreadable = 33081,     // a journal or copy cannot be read; it is kept (%1)
  kMsgOtherVersion = 33082,       // a journal of another program version (%1)
  kMsgDamagedHeader = 33083,      // a journal whose header is damaged (%1)
  kMsgCopyNotWritten = 33084,     // a recovery copy could not be written (%1)
  kMsgDialogTitle = 33085,
  kMsgDialogIntro = 33086,
  kMsgRestore = 33087,
  kMsgDiscard = 33088,
  kMsgLater = 33089,
  kMsgDiscardConfirm = 33090,
  kMsgKindJournal = 33091,
  kMsgKindCopy = 33092,
  kMsgColumnName = 33093,
  kMsgColumnStart = 33094,
  kMsgColumnSamples = 33095,
  kMsgColumnAge = 33096,
  kMsgAgeMinutes = 33097,  // "%d min"
  kMsgAgeHours = 33098,    // "%d h"
  kMsgAgeDays = 33099,     // "%d d"
  kMsgIntervalLabel = 33100,
  kMsgJournalEndNotice = 33101,  // at the end of a recording whose journal failed
  kMsgRecordingKept = 33102,     // the recording could not be saved; its journal stays
};

}  // namespace vantrel::recovery
