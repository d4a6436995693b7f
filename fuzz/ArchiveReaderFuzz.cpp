// libFuzzer target over the document reader: any bytes must either load completely or raise
// an ArchiveError; a loaded document must save and load again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "document/ArchiveError.h"
#include "document/MeasurementArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantrel::document;
  LoadedDocument loaded;
  try {
    loaded = ReadDocument(std::span<const std::uint8_t>(data, size));
  } catch (const ArchiveError&) {
    return 0;
  }
  const auto written = DocumentBytes(*loaded.measurement, loaded.imported);
  const LoadedDocument again = ReadDocument(written);
  if (DocumentBytes(*again.measurement, again.imported) != written) std::abort();
  return 0;
}
