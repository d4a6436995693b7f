// Reading numbers typed into the chart dialogs: the user's decimal separator, blanks, and
// texts that are no number or leave the range; exact values of untouched fields.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <cfloat>

#include "MeasurementBuilder.h"
#include "app/MessageIds.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/widgets/NumberField.h"

namespace vantrel::testing {
namespace {

using gui::NumberField;

TEST(NumberField, ParsesRealNumbersInTheUsersConvention) {
  struct Case {
    const char* text;
    char separator;
    std::optional<double> value;
  };
  const Case cases[] = {{"1.5", '.', 1.5},    {" -2.25 ", '.', -2.25}, {"1,5", ',', 1.5},
                        {"1e3", '.', 1000.0}, {"1.5", ',', {}},        {"1,5", '.', {}},
                        {"", '.', {}},        {"  ", '.', {}},         {"abc", '.', {}},
                        {"1.5x", '.', {}},    {"inf", '.', {}},        {"nan", '.', {}},
                        {"1,000.5", '.', {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(NumberField::ParseReal(QString::fromLatin1(c.text), c.separator), c.value);
  }
}

TEST(NumberField, ParsesWholeNumbersWithinThe32BitRange) {
  struct Case {
    const char* text;
    std::optional<long long> value;
  };
  const Case cases[] = {
      {"12", 12},  {" -3 ", -3}, {"+7", 7},  {"2147483647", 2147483647LL}, {"2147483648", {}},
      {"3.5", {}}, {"", {}},     {"x1", {}}, {"99999999999999999999", {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(NumberField::ParseInteger(QString::fromLatin1(c.text)), c.value);
  }
}

class NumberFieldWidgetTest : public AppTest {};

TEST_F(NumberFieldWidgetTest, UntouchedFieldGivesBackTheExactValueItShowed) {
  QLineEdit edit;
  NumberField field(&edit, Texts(), '.');
  const float stored = 0.123456789F;
  field.SetReal(static_cast<double>(stored));
  EXPECT_EQ(edit.text(), QStringLiteral("0.123457"));
  ASSERT_TRUE(field.ReadReal().has_value());
  EXPECT_EQ(static_cast<float>(*field.ReadReal()), stored);
  Retype(edit, QStringLiteral("0.5"));
  EXPECT_EQ(field.ReadReal(), 0.5);
}

TEST_F(NumberFieldWidgetTest, RefusedValuesShowTheStandardMessageWithTheRange) {
  QWidget window;
  auto* edit = new QLineEdit(&window);
  NumberField field(edit, Texts(), '.');
  struct Case {
    const char* text;
    int message;
    QString expected;
  };
  const Case cases[] = {
      {"21", ids::kMsgIntegerRange,
       QStringLiteral("Bitte geben Sie eine ganze Zahl zwischen 1 und 20 ein.")},
      {"zwei", ids::kMsgNotAnInteger, Text(ids::kMsgNotAnInteger)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Retype(*edit, QString::fromLatin1(c.text));
    QString shown;
    ModalScript script;
    script.ThenMessage(&shown);
    EXPECT_FALSE(field.ReadInteger(1, 20).has_value());
    EXPECT_EQ(shown, c.expected);
    EXPECT_EQ(edit->selectedText(), edit->text());  // selected for correcting
  }
  Retype(*edit, QStringLiteral("-4"));
  QString shown;
  ModalScript script;
  script.ThenMessage(&shown);
  EXPECT_FALSE(field.ReadUnsigned(1, 16).has_value());
  EXPECT_EQ(shown, Text(ids::kMsgNotAPositiveInteger));
  Retype(*edit, QString::number(1e39));
  script.ThenMessage(&shown);
  EXPECT_FALSE(field.ReadReal().has_value());  // beyond the float range
  EXPECT_EQ(shown, Text(ids::kMsgNotANumber));
}

}  // namespace
}  // namespace vantrel::testing
