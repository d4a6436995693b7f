// Measurements and formulas for the formula engine's tests: small hand-made measurements
// (built with the shared measurement builder), random curves (short, empty, with
// not-a-number and infinite values, different lengths) and a generator of random formulas
// that the checker accepts.
#pragma once

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "MeasurementBuilder.h"
#include "model/CMessungObj.h"

namespace vantrel::formula::testing {

using Triple = vantrel::testing::SampleRow;

/// Appends a curve with these samples, sample interval and duration.
inline model::CKurveObj* AddCurve(model::CMessungObj& m, const std::vector<Triple>& samples,
                                  double interval = 0.1, int duration = 1) {
  model::CKurveObj& curve = vantrel::testing::AddCurveOfRows(m, samples, interval);
  curve.SetDuration(duration);
  return &curve;
}

/// A curve whose samples all have minimum = maximum = value = v.
inline model::CKurveObj* AddFlatCurve(model::CMessungObj& m, const std::vector<float>& values,
                                      double interval = 0.1, int duration = 1) {
  return AddCurve(m, vantrel::testing::FlatRows(values), interval, duration);
}

/// Random sample values, now and then not a number, infinite, zero or negative.
inline float RandomValue(std::mt19937& rng) {
  std::uniform_int_distribution<int> kind(0, 19);
  std::uniform_real_distribution<float> ordinary(-100.0F, 100.0F);
  switch (kind(rng)) {
    case 0:
      return std::numeric_limits<float>::quiet_NaN();
    case 1:
      return std::numeric_limits<float>::infinity();
    case 2:
      return -std::numeric_limits<float>::infinity();
    case 3:
      return 0.0F;
    case 4:
      return -0.0F;
    case 5:
      return std::numeric_limits<float>::denorm_min();
    case 6:
      return 3.0e38F;
    default:
      return ordinary(rng);
  }
}

/// Fills `m` with `curves` random curves of 0 to `maxLength` samples; the sample intervals
/// are all 0.1 unless `mixedIntervals`.
inline void AddRandomCurves(model::CMessungObj& m, std::mt19937& rng, int curves, int maxLength,
                            bool mixedIntervals = false) {
  std::uniform_int_distribution<int> length(0, maxLength);
  std::uniform_int_distribution<int> interval(0, 3);
  std::uniform_int_distribution<int> kind(0, 3);
  for (int i = 0; i < curves; ++i) {
    std::vector<Triple> samples(static_cast<std::size_t>(length(rng)));
    for (Triple& t : samples) t = {RandomValue(rng), RandomValue(rng), RandomValue(rng)};
    model::CKurveObj* curve =
        AddCurve(m, samples, mixedIntervals ? 0.05 * interval(rng) : 0.1, length(rng));
    curve->SetRecordingKind(kind(rng) == 0 ? 1 : 0);
  }
}

/// Random formulas of the language: numbers (also with several points), references I1 to
/// I`curves`, parentheses (also with a leading operator inside), functions with and
/// without parentheses, blanks between the parts.
class FormulaGenerator {
 public:
  FormulaGenerator(std::mt19937& rng, int curves) : rng_(rng), curves_(curves) {}

  std::u16string Next() {
    std::u16string text;
    Expression(text, 0);
    return text;
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  void Blank(std::u16string& text) {
    if (Pick(6) == 0) text += u' ';
  }

  void Number(std::u16string& text) {
    static const char16_t* const kNumbers[] = {u"0",  u"1",     u"2",     u"3",      u"0.5",
                                               u"10", u"2.5",   u"1.2.3", u"0.0",    u"100",
                                               u"7.", u"0.001", u"12345", u"3.14159"};
    text += kNumbers[Pick(static_cast<int>(std::size(kNumbers)))];
  }

  void Term(std::u16string& text, int depth) {
    static const char16_t* const kFunctions[] = {u"sin",  u"cos",  u"tan",
                                                 u"sqrt", u"logn", u"log10"};
    static const char16_t kOperators[] = u"+-*/^";
    const int choice = depth > 4 ? Pick(2) : Pick(6);
    if (choice == 0 && curves_ > 0) {
      text += u'I';
      const int n = 1 + Pick(curves_);
      for (char c : std::to_string(n)) text += static_cast<char16_t>(c);
    } else if (choice <= 1) {
      Number(text);
    } else if (choice <= 3) {
      text += u'(';
      Blank(text);
      if (Pick(4) == 0) text += kOperators[Pick(5)];
      Expression(text, depth + 1);
      text += u')';
    } else {
      text += kFunctions[Pick(6)];
      if (Pick(2) == 0) {
        text += u'(';
        Expression(text, depth + 1);
        text += u')';
      } else {
        Blank(text);
        Term(text, depth + 1);
      }
    }
    Blank(text);
  }

  void Expression(std::u16string& text, int depth) {
    static const char16_t kOperators[] = u"+-*/^";
    Term(text, depth);
    const int more = depth > 3 ? Pick(2) : Pick(4);
    for (int i = 0; i < more; ++i) {
      text += kOperators[Pick(5)];
      Blank(text);
      Term(text, depth);
    }
  }

  std::mt19937& rng_;
  int curves_;
};

/// Random text over the characters of the language (and a few others): mostly invalid.
inline std::u16string RandomText(std::mt19937& rng) {
  static const char16_t kAlphabet[] = u"I0123456789.+-*/^() sincotaqrlgxe\tI1I2";
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(kAlphabet)) - 2);
  std::u16string text;
  for (int n = length(rng); n > 0; --n) text += kAlphabet[pick(rng)];
  return text;
}

}  // namespace vantrel::formula::testing
