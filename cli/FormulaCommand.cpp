// `formula IN FORMULA OUT [--einteilung 0|1]`: adds a formula curve as the formula
// dialog's OK does (check, evaluation over all samples, colour, unit and its own axis) and
// saves OUT. Adding a curve is a change, so the document is no longer an unchanged import.
// A check or evaluation failure prints its message (32926..32933, 32927 for a full
// measurement) and writes nothing. "Einteilung" comes from the profile unless given.
#include "CliDocument.h"
#include "CliFrame.h"
#include "CliSettings.h"
#include "formula/FormulaCodes.h"
#include "formula/FormulaCurves.h"
#include "platform/Strings.h"
#include "platform/TimeStamp.h"

namespace vantrel::cli {

namespace {

int RunFormula(CommandContext& context, const std::vector<std::string>& args) {
  const ParsedArgs parsed = ParseArgs(args, {}, {"--einteilung"});
  if (parsed.positional.size() != 3 || parsed.positional[2].empty()) {
    throw UsageError("expects IN, FORMULA and OUT");
  }
  const CliSettings settings(context);
  formula::FormulaCurveOptions options;
  options.scaleMode = settings.ScaleMode(parsed);
  options.startTime = platform::CurrentTimeStamp();
  auto doc = CliDocument::Open(parsed.positional[0], context.texts);
  const formula::FormulaCurveResult result = formula::CreateFormulaCurve(
      doc->Measurement(), platform::FromUtf8(parsed.positional[1]), options);
  if (result.result != formula::kFormulaValid || result.curve == nullptr) {
    if (result.messageId != 0) throw CliFailure(result.messageId, {}, "formula refused");
    doc->Messages().ThrowFirst(formula::kMsgFormulaInvalid);
  }
  doc->Doc().SetModifiedFlag(true);
  doc->SaveAs(parsed.positional[2]);
  return kExitSuccess;
}

}  // namespace

CommandSpec FormulaCommand() {
  return {"formula", "IN FORMULA OUT [--einteilung 0|1]", RunFormula};
}

}  // namespace vantrel::cli
