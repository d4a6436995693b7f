// Number texts: the shortest round-tripping text of a float in the user's decimal separator.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "platform/NumberFormat.h"

namespace vantrel::platform {
namespace {

float ReadBack(std::string text) {
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  float value = 0.0F;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

TEST(NumberFormat, ShortestFloatTextIsTheShortestTextThatReadsBackExactly) {
  struct Case {
    float value;
    char separator;
    const char* expected;
  };
  const Case cases[] = {
      {56.92F, ',', "56,92"},       {56.92F, '.', "56.92"}, {0.0F, ',', "0"},
      {-3.5F, ',', "-3,5"},         {400.0F, '.', "400"},   {0.1F, '.', "0.1"},
      {1234567.0F, ',', "1234567"}, {1e20F, '.', "1e+20"},  {1.5e-30F, ',', "1,5e-30"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    const std::string text = ShortestFloatText(c.value, c.separator);
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(ReadBack(text), c.value);
  }
}

TEST(NumberFormat, ShortestFloatTextReadsBackForExtremeFloats) {
  const float values[] = {std::numeric_limits<float>::max(),
                          std::numeric_limits<float>::lowest(),
                          std::numeric_limits<float>::min(),
                          std::numeric_limits<float>::denorm_min(),
                          16777217.0F,
                          0.3F};
  for (float value : values) {
    SCOPED_TRACE(value);
    const std::string text = ShortestFloatText(value, ',');
    EXPECT_FALSE(text.empty());
    EXPECT_LE(text.size(), 16U);
    EXPECT_EQ(ReadBack(text), value);
  }
  EXPECT_EQ(ShortestFloatText(std::numeric_limits<float>::infinity(), ','), "inf");
}

}  // namespace
}  // namespace vantrel::platform
