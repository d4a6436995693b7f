// The simulated instrument's demonstration measurements as a user meets them: read out of
// vantrel-sim with vantrel-cli, drawn with `render`, and the chart's layout figures checked
// (title, one value axis per unit with its range, the time axis and its unit).
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "CliHarness.h"

namespace vantrel::cli {
namespace {

using testing::CliRun;
using testing::ReadAll;
using InstrumentDemo = testing::CliTest;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

/// Width and height from a PNG's IHDR chunk.
std::pair<int, int> PngSize(const std::string& bytes) {
  auto at = [&](std::size_t i) {
    return (static_cast<unsigned char>(bytes[i]) << 24) |
           (static_cast<unsigned char>(bytes[i + 1]) << 16) |
           (static_cast<unsigned char>(bytes[i + 2]) << 8) |
           static_cast<unsigned char>(bytes[i + 3]);
  };
  return bytes.size() < 24 ? std::pair{0, 0} : std::pair{at(16), at(20)};
}

/// The texts of an SVG picture in drawing order.
std::vector<std::string> SvgTexts(const std::string& svg) {
  std::vector<std::string> texts;
  const std::regex text("<text[^>]*>([^<]*)</text>");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text); it != std::sregex_iterator();
       ++it) {
    texts.push_back((*it)[1]);
  }
  return texts;
}

TEST_F(InstrumentDemo, EveryDemonstrationMeasurementReadsOutAndDrawsLikeAHydraulicMeasurement) {
  struct Expected {
    std::string name;
    std::vector<std::string> units;  ///< value axes left to right, then the time axis
    std::vector<std::string> tops;   ///< the top label of each value axis
    std::string timeEnd;
  };
  const Expected expected[] = {
      {"Zylindertest", {"[bar]", "[s]"}, {"400.00"}, "30.00"},
      {"Pumpenkennlinie",
       {"[°C]", "[bar]", "[l/min]", "[U/min]", "[min]"},
       {"100.00", "400.00", "100.00", " 3.00"},
       "5.00"},
      {"Schaltspitzen", {"[bar]", "[s]"}, {"400.00"}, "4.00"},
      {"Warmlauf", {"[l/min]", "[bar]", "[°C]", "[min]"}, {"60.00", "25.00", "100.00"}, "40.00"},
      {"Maschinenzyklus",
       {"[mbar]", "[PSI]", "[U/min]", "[°C]", "[l/min]", "[bar]", "[s]"},
       {" 2.00", " 6.00", " 3.00", "100.00", "60.00", "400.00"},
       "60.00"},
  };
  testing::SimProcess sim({"--seconds", "60"});
  ASSERT_FALSE(sim.Path().empty());
  const CliRun readout = Cli({"read-memory", "--port", sim.Path(), "--out", dir_.string()});
  ASSERT_EQ(readout.status, 0) << readout.err;
  std::vector<std::string> paths;
  for (const std::string& line : Lines(readout.out)) paths.push_back(line);
  ASSERT_EQ(paths.size(), std::size(expected));
  for (std::size_t m = 0; m < paths.size(); ++m) {
    const Expected& e = expected[m];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(paths[m], Path(e.name + ".vqa"));
    ASSERT_EQ(Cli({"render", paths[m], Path(e.name + ".png")}).status, 0);
    EXPECT_EQ(PngSize(ReadAll(dir_ / (e.name + ".png"))), (std::pair{1200, 800}));
    ASSERT_EQ(Cli({"render", paths[m], Path(e.name + ".svg")}).status, 0);
    const std::vector<std::string> texts = SvgTexts(ReadAll(dir_ / (e.name + ".svg")));
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), e.name);
    // Unit labels ("[10e3]" marks a scaled axis), and the label above each axis's unit.
    std::vector<std::string> units;
    std::vector<std::string> tops;
    for (std::size_t i = 1; i < texts.size(); ++i) {
      const std::string& text = texts[i];
      if (text.front() != '[' || text == "[10e3]") continue;
      units.push_back(text);
      // The axis's labels follow its unit (and scale), bottom to top; the top one comes
      // before the next unit.
      std::size_t j = i + 1;
      while (j < texts.size() && (texts[j].front() != '[' || texts[j] == "[10e3]")) ++j;
      if (units.size() < e.units.size()) tops.push_back(texts[j - 1]);
    }
    EXPECT_EQ(units, e.units);
    EXPECT_EQ(tops, e.tops);
    EXPECT_EQ(texts.back(), e.timeEnd);
  }
}

}  // namespace
}  // namespace vantrel::cli
