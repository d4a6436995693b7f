// Fuzzes the online-recording import (".vqo") with arbitrary bytes and checks that every
// measurement it builds is consistent: at most three curves, each on an existing axis.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "document/OnlineTextImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vantrel::model::CMessungObj measurement;
  const vantrel::document::ImportResult result =
      vantrel::document::ImportOnlineText({data, size}, measurement);
  if (!result.Succeeded() && result.messageId != vantrel::document::kMsgImportFailed) {
    std::abort();
  }
  if (measurement.GetCurveCount() > 3) std::abort();
  for (const auto& curve : measurement.Curves()) {
    if (curve->GetAxisIndex() < 0 || curve->GetAxisIndex() >= measurement.GetYAxisCount()) {
      std::abort();
    }
    // A line feed ends at most one line of five samples.
    if (static_cast<std::size_t>(curve->GetSampleCount()) > 5 * (size + 1)) std::abort();
  }
  return 0;
}
