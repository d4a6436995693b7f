// The texts that the table windows, the marker dialog and the CSV export show for curves:
// time texts, value-mode texts, unit, trigger, pre-trigger, filter and duration texts.
// Numbers use the "C" convention with the user's decimal separator; words come from the
// language library by number. Free functions; no state.
#pragma once

#include <cstdint>
#include <string>

#include "model/CKurveObj.h"
#include "model/CMessungObj.h"
#include "platform/TextSource.h"

namespace vantrel::tables {

/// Shown for a time that no clock text can represent (not finite, or beyond 2^31 s).
inline constexpr char16_t kNoTimeText[] = u"--:--:--";

/// One number with a one-conversion printf format ("%5.3f", "%-.0f", ...) in the "C"
/// convention, its '.' replaced by `decimalSeparator`.
std::u16string FormatNumber(const char* format, double value, char decimalSeparator);

/// The time text of the tables: "hh:mm:" and the seconds as "%5.3f" padded with zeros to two
/// digits before the point (3725.5 -> "01:02:05.500"; 59.9996 -> "00:00:60.000").
std::u16string TableTimeText(double seconds, char decimalSeparator);
/// The time text of the marker dialog: "%02d:%02d:" and "%06.3f" of the rest.
std::u16string MarkerTimeText(double seconds, char decimalSeparator);

/// The plotted-value text of a value mode: 0 -> 32852, 1 -> 32853, 3 -> 32852 "/" 32853,
/// 4 -> 32855, anything else -> 32854.
std::u16string ValueModeText(int valueMode, const platform::TextSource& texts);
/// The text of one plotted value (value selector 0, 1, 2 or 4): 32852, 32853, 32855, or
/// 32854 for any other selector.
std::u16string SelectorText(int selector, const platform::TextSource& texts);
/// The selected part of a sample: 0 minimum, 1 maximum, 4 value, anything else the mean.
double SelectedValue(const model::CValueObj& sample, int selector);

/// The unit name of a curve (language text for codes 0..8, else its unitText).
std::u16string CurveUnitText(const model::CKurveObj& curve, const platform::TextSource& texts);

/// First curve among the first 16 whose channel number is `channel`; null when none.
const model::CKurveObj* FindCurveByChannel(const model::CMessungObj& measurement, int channel);

/// Trigger-mode text: empty for a computed curve; modes 1..4 -> 32879..32882; else empty.
std::u16string TriggerModeText(const model::CKurveObj& curve, const platform::TextSource& texts);
/// Whether the edge text applies: mode 1, or mode 2 or 3 without percent settings.
bool HasEdgeText(const model::CKurveObj& curve);
/// Edge text: in mode 3 32968 (set) / 32969 (clear); otherwise `setId` / `clearId`.
std::u16string EdgeText(const model::CKurveObj& curve, int setId, int clearId,
                        const platform::TextSource& texts);
/// Trigger level: "%-.0f %" in percent, else "%-.3f " and the unit of the trigger channel's
/// curve ("???" when there is none).
std::u16string TriggerLevelText(const model::CKurveObj& curve,
                                const model::CMessungObj& measurement,
                                const platform::TextSource& texts, char decimalSeparator);
/// Pre-trigger: "%-.0f %" in percent, else "%-.3f s".
std::u16string PretriggerText(const model::CKurveObj& curve, char decimalSeparator);
/// Filter cut-off: empty for 0, "%5.3f Hz" from 0.001 on, else "%8.6f Hz".
std::u16string FilterCutoffText(float cutoffHz, char decimalSeparator);
/// Duration: "%S s" below a minute, "%M:%S min" below an hour, else "%H:%M:%S h" with the
/// total number of hours (a recording of 25 hours reads 25:00:00 h). Negative spans get a
/// leading '-'.
std::u16string DurationText(std::int32_t seconds);

/// "%d" of an integer, widened.
std::u16string IntText(long long value);

}  // namespace vantrel::tables
