// Result codes of the formula checker and evaluator, the message IDs they map to, and the
// limits of the formula language (16 reference slots, bounded text length).
#pragma once

#include <cstddef>

#include "app/MessageIds.h"

namespace vantrel::formula {

/// Curves I1..I16 can take part in a formula: slot k stands for reference "I" k+1.
constexpr int kSlots = 16;

/// Longest formula text that is checked or evaluated. The dialog's field takes 50
/// characters; texts from files or the command line are bounded so that the recursive
/// evaluation stays shallow.
constexpr std::size_t kMaxFormulaLength = 256;

// Results of CheckFormula.
constexpr int kFormulaValid = 1;
constexpr int kFormulaInvalid = 0;
/// A reference outside 1 to the curve count (or outside the 16 slots). The evaluator
/// returns it too for a reference outside the 16 slots.
constexpr int kBadReference = -5;
/// The referenced curves have different sample intervals.
constexpr int kMixedIntervals = -6;

// Results of EvaluateFormula below 1 (0 is a failure as well).
constexpr int kUnexpectedCharacter = -1;
constexpr int kDivisionByZero = -2;
constexpr int kLogOfNegative = -3;
constexpr int kRootOfNegative = -4;

// Results of CreateFormulaCurve that are neither check nor evaluation results.
/// The measurement is being recorded online; nothing was added and no message is due.
constexpr int kRefusedWhileRecording = -7;
/// Memory ran out and the user cancelled; the out-of-memory message has been shown.
constexpr int kOutOfMemory = -8;
/// The measurement already holds 16 curves.
constexpr int kTooManyCurves = -9;

// Message IDs of the language library.
using ids::kMsgBadReference;
using ids::kMsgDivisionByZero;
using ids::kMsgEvaluationFailed;
using ids::kMsgFormulaInvalid;
using ids::kMsgLogOfNegative;
using ids::kMsgMixedIntervals;
using ids::kMsgRootOfNegative;
using ids::kMsgTooManyCurves;
/// The formula text is longer than kMaxFormulaLength (the text names the limit).
using ids::kMsgFormulaTooLong;

/// The message for a CheckFormula result below 1: 32929 for -6, 32928 for -5, else 32926.
constexpr int CheckMessageId(int result) {
  if (result == kMixedIntervals) return kMsgMixedIntervals;
  if (result == kBadReference) return kMsgBadReference;
  return kMsgFormulaInvalid;
}

/// The message for an EvaluateFormula result below 1: 32932 for -4, 32933 for -3, 32931
/// for -2, 32928 for a reference outside the slots, 32930 for anything else.
constexpr int EvaluationMessageId(int result) {
  switch (result) {
    case kRootOfNegative:
      return kMsgRootOfNegative;
    case kLogOfNegative:
      return kMsgLogOfNegative;
    case kDivisionByZero:
      return kMsgDivisionByZero;
    case kBadReference:
      return kMsgBadReference;
    default:
      return kMsgEvaluationFailed;
  }
}

}  // namespace vantrel::formula
