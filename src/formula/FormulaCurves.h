// Formula curves of a measurement: CreateFormulaCurve adds one as the formula dialog's OK
// does (check, evaluate over all samples, completion with colour, unit and its own axis);
// UpdateFormulaCurves extends every formula curve over the samples that arrived during an
// online recording. Both evaluate with the compiled form by default; the literal scanner
// can be chosen to cross-check them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "formula/FormulaContext.h"
#include "formula/FormulaProgram.h"
#include "model/CMessungObj.h"
#include "platform/Geometry.h"
#include "platform/TimeStamp.h"

namespace vantrel::formula {

/// Colours of new formula curves, indexed by the curve's position in the curve list.
extern const std::array<platform::Color, kSlots> kFormulaCurveColors;

/// Which evaluator computes the samples.
enum class FormulaEngine { Compiled, Literal };

struct FormulaCurveOptions {
  /// The "Einteilung" setting: 1 widens the fitted axis range by 10 % of its span on each
  /// side, anything else fits it exactly.
  int scaleMode = 0;
  /// The new curve's start time, seconds since 1970 UTC (the current time).
  platform::TimeStamp startTime = 0;
  /// Set only by the online recording's own dialog: adding to a measurement that is being
  /// recorded is otherwise refused, as the chart's command does nothing then.
  bool whileRecording = false;
  FormulaEngine engine = FormulaEngine::Compiled;
};

struct FormulaCurveResult {
  /// 1 on success; otherwise the check result (0, -5, -6), the evaluation result (below
  /// 1), kTooManyCurves, kRefusedWhileRecording or kOutOfMemory.
  int result = kFormulaValid;
  /// Message to show (32926..32933, 32900), 0 for none.
  int messageId = 0;
  /// True when the message has already been shown (out of memory asks the user itself).
  bool messageShown = false;
  /// True for refusals before anything was added (the dialog stays open for a correction).
  bool dialogStaysOpen = false;
  /// The new curve and its position, on success.
  model::CKurveObj* curve = nullptr;
  int curveIndex = -1;
};

/// Adds the formula curve for `formula` to `measurement` with the working context that the
/// dialog filled when it opened (`context` must be filled from this measurement; its read
/// positions are advanced). On any failure the measurement keeps its former curves and axes.
FormulaCurveResult CreateFormulaCurve(FormulaContext& context, model::CMessungObj& measurement,
                                      const std::u16string& formula,
                                      const FormulaCurveOptions& options);

/// The same with a context filled from the measurement now (command line, tests).
FormulaCurveResult CreateFormulaCurve(model::CMessungObj& measurement,
                                      const std::u16string& formula,
                                      const FormulaCurveOptions& options);

struct FormulaUpdateResult {
  /// Formula curves that received samples.
  int curvesExtended = 0;
  /// The first problem met, for diagnostics (the pass shows no messages): the evaluation
  /// message of a failed sample, or 32930 for a formula curve whose axis does not exist.
  int messageId = 0;
  /// Position of the curve the problem concerns, -1 for none.
  int problemCurve = -1;
};

/// When the measurement's formulaUpdatePending flag is set: clears it and extends every
/// formula curve (ExtendFormulaCurves). Otherwise does nothing.
FormulaUpdateResult UpdateFormulaCurves(model::CMessungObj& measurement, int scaleMode,
                                        FormulaEngine engine = FormulaEngine::Compiled);

/// The update pass itself, whatever the flag says: each formula curve (origin 2) is
/// extended from its formula (`sourceText`) over the source curves before it in the list,
/// starting at its own sample count, and its axis range is refitted. Always appends at
/// least one sample to each formula curve. A curve whose axis does not exist is extended
/// but no axis is touched.
FormulaUpdateResult ExtendFormulaCurves(model::CMessungObj& measurement, int scaleMode,
                                        FormulaEngine engine = FormulaEngine::Compiled);

/// The read positions of `context` as a slot table for a compiled program: every slot
/// (only referenced ones when `referencedOnly`) with a read position reads its curve from
/// there on. `iterations` receives how many samples the literal loop, which advances those
/// positions until none has a sample left, produces: at least 1.
SlotTable SlotsFromReadPositions(const FormulaContext& context, bool referencedOnly,
                                 long long* iterations);

}  // namespace vantrel::formula
