// libFuzzer target of the notes RTF reader: any bytes must read without a crash, a hang or
// an absurd allocation, and what the writer makes of the result must read back to the same
// document (written twice, the bytes do not change).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "notes/RtfReader.h"
#include "notes/RtfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantrel::notes;
  const RtfDocument doc = ReadRtf(std::span(data, size));
  const std::vector<std::uint8_t> written = WriteRtf(doc);
  const RtfDocument reread = ReadRtf(written);
  if (WriteRtf(reread) != written) std::abort();
  return 0;
}
