// Fuzzes the instrument data import (".vqm", ".vqg", ".vqk") with arbitrary bytes and checks
// that every measurement it builds is consistent: at most 16 curves, each on an existing
// axis, and notes framed as RTF whenever the import succeeds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "document/InstrumentTextImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vantrel::model::CMessungObj measurement;
  const vantrel::document::ImportResult result =
      vantrel::document::ImportInstrumentText({data, size}, measurement);
  if (!result.Succeeded() && result.messageId != vantrel::document::kMsgImportFailed) {
    std::abort();
  }
  if (measurement.GetCurveCount() > vantrel::model::kMaxCurves) std::abort();
  for (const auto& curve : measurement.Curves()) {
    if (curve->GetAxisIndex() < 0 || curve->GetAxisIndex() >= measurement.GetYAxisCount()) {
      std::abort();
    }
    if (static_cast<std::size_t>(curve->GetSampleCount()) > 6 * (size + 1)) std::abort();
  }
  if (result.Succeeded()) {
    const auto& notes = measurement.GetNotes();
    const auto& frame = vantrel::document::kNotesFrame;
    if (!notes || notes->size() < frame.size() || notes->back() != '}' ||
        !std::equal(frame.begin(), frame.end() - 1, notes->begin())) {
      std::abort();
    }
  }
  return 0;
}
