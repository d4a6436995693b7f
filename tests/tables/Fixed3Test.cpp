#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "tables/Fixed3.h"

namespace vantrel::tables {
namespace {

std::string Fast(double value, char separator = '.') {
  char buffer[kFixed3MaxLength];
  char* end = AppendFixed3Width10(buffer, value, separator);
  return std::string(buffer, end);
}

std::string Reference(double value) {
  char buffer[kFixed3MaxLength];
  const int length = std::snprintf(buffer, sizeof buffer, "%10.3f", value);
  return std::string(buffer, static_cast<std::size_t>(length));
}

TEST(Fixed3, SpecialValuesMatchTheCLibrary) {
  const double inf = std::numeric_limits<double>::infinity();
  const double cases[] = {0.0,
                          -0.0,
                          -0.0001,
                          0.0005,
                          0.0625,  // a tie: 62.5 thousandths round to even
                          0.1875,
                          1.5,
                          -2.0625,
                          999999.9995,
                          1234567.125,
                          4503599627370495.5,  // just below 2^52
                          4503599627370496.0,
                          1e300,
                          -std::numeric_limits<double>::max(),
                          std::numeric_limits<double>::denorm_min(),
                          std::numeric_limits<double>::min(),
                          std::numeric_limits<float>::max(),
                          inf,
                          -inf,
                          std::numeric_limits<double>::quiet_NaN(),
                          -std::numeric_limits<double>::quiet_NaN()};
  for (double value : cases) {
    SCOPED_TRACE(value);
    EXPECT_EQ(Fast(value), Reference(value));
  }
}

TEST(Fixed3, RandomFloatsAndDoublesMatchTheCLibrary) {
  std::mt19937_64 random(20240607);
  std::uniform_real_distribution<double> moderate(-100000.0, 100000.0);
  std::uniform_int_distribution<int> thousandths(-10000000, 10000000);
  for (int i = 0; i < 100000; ++i) {
    const auto floatBits = static_cast<std::uint32_t>(random());
    const double values[] = {
        static_cast<double>(std::bit_cast<float>(floatBits)),  // every class of float
        std::bit_cast<double>(random()),                       // every class of double
        moderate(random),
        static_cast<double>(static_cast<float>(moderate(random))),
        thousandths(random) / 1000.0 + 0.0005,  // near the rounding boundary
    };
    for (double value : values) {
      const std::string expected = Reference(value);
      const std::string actual = Fast(value);
      if (actual != expected) {
        ADD_FAILURE() << std::hexfloat << value << ": " << actual << " != " << expected;
        return;
      }
    }
  }
}

TEST(Fixed3, DecimalSeparatorReplacesThePoint) {
  EXPECT_EQ(Fast(1.5, ','), "     1,500");
  EXPECT_EQ(Fast(-0.0, ','), "    -0,000");
  EXPECT_EQ(Fast(1e20, ','), Reference(1e20).replace(Reference(1e20).find('.'), 1, ","));
}

}  // namespace
}  // namespace vantrel::tables
