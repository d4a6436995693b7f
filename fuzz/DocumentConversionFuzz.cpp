// libFuzzer target over converting a document file: for any bytes, the conversion must
// refuse exactly what the load refuses, with the same error, and otherwise write exactly
// the bytes a load and save write.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "document/ArchiveError.h"
#include "document/MeasurementArchive.h"

namespace {

namespace fs = std::filesystem;

fs::path Folder() {
  static const fs::path folder = [] {
    fs::path made = fs::temp_directory_path() / ("vantrel-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(made);
    return made;
  }();
  return folder;
}

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
  std::vector<std::uint8_t> bytes;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    std::uint8_t block[65536];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;) {
      bytes.insert(bytes.end(), block, block + n);
    }
    std::fclose(file);
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantrel::document;
  const fs::path in = Folder() / "in.vqb";
  const fs::path out = Folder() / "out.vqb";
  if (std::FILE* file = std::fopen(in.c_str(), "wb")) {
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
  }
  fs::remove(out);
  std::string loadError;
  std::vector<std::uint8_t> expected;
  try {
    const LoadedDocument loaded = ReadDocument(std::span<const std::uint8_t>(data, size));
    expected = DocumentBytes(*loaded.measurement, loaded.imported);
  } catch (const ArchiveError& e) {
    loadError = e.what();
  }
  try {
    if (ConvertDocumentFile(in, out)) std::abort();  // the folder is always writable
    if (!loadError.empty() || ReadAll(out) != expected) std::abort();
  } catch (const ArchiveError& e) {
    if (loadError != e.what() || fs::exists(out)) std::abort();
  }
  return 0;
}
