// Message IDs of crash recovery: journal and copy trouble, the recovery dialog and the
// recovery interval setting. Texts taking "%1" get the item's path.
#pragma once

#include "app/MessageIds.h"

namespace vantrel::recovery {

using ids::kMsgCopyNotWritten;
using ids::kMsgDamagedHeader;
using ids::kMsgDiscardConfirm;
using ids::kMsgItemUnreadable;
using ids::kMsgJournalEndNotice;
using ids::kMsgJournalNotWritten;
using ids::kMsgOtherVersion;
using ids::kMsgRecordingKept;
using ids::kStrAgeDays;
using ids::kStrAgeHours;
using ids::kStrAgeMinutes;
using ids::kStrKindCopy;
using ids::kStrKindJournal;
using ids::kStrRecoveryColumnAge;
using ids::kStrRecoveryColumnName;
using ids::kStrRecoveryColumnSamples;
using ids::kStrRecoveryColumnStart;
using ids::kStrRecoveryDiscard;
using ids::kStrRecoveryInterval;
using ids::kStrRecoveryIntro;
using ids::kStrRecoveryLater;
using ids::kStrRecoveryRestore;
using ids::kStrRecoveryTitle;

}  // namespace vantrel::recovery
