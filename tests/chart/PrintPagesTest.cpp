// The printed pages on a recording printer canvas of 600 dots per inch and 11 x 8.5 inches:
// the chart inside one-inch margins with its frame, the curve information table with its
// rows, texts and formats, and its paging across sheets.
#include <gtest/gtest.h>

#include "FakeTexts.h"
#include "MeasurementBuilder.h"
#include "chart/PrintPages.h"
#include "platform/RecordingCanvas.h"
#include "platform/Strings.h"

namespace vantrel::chart {
namespace {

using platform::RecordingCanvas;
using platform::Rect;
using Op = RecordingCanvas::Op;

constexpr int kDpi = 600;
constexpr platform::Size kPage{6600, 5100};

RecordingCanvas Printer() { return RecordingCanvas(kDpi, kPage, true); }

// Table fonts at 600 dpi: 22 points are 183 pixels high (r0 = 274), 11 points 91 (rh = 136).
constexpr int kFirstRow = 600 + 274;
constexpr int kRowHeight = 136;
int RowTop(int k) { return kFirstRow + k * kRowHeight; }

struct Printout {
  model::CMessungObj m;
  vantrel::testing::FakeTexts texts;
  RecordingCanvas canvas = Printer();
  PrintOptions options;
  int sheetsStarted = 0;

  Printout() {
    m.SetName(u"Test", -1);
    testing::AddAxis(m, 0, 100);
    options.nextSheet = [this] { ++sheetsStarted; };
    options.conventions.dateTime = [](platform::TimeStamp) { return std::u16string(u"date"); };
  }
  model::CKurveObj* AddCurve(platform::Color color = 0x112233) {
    return testing::AddCurve(m, 0, color, 0, {1, 2, 3});
  }
  /// The last text drawn with its top-left corner at (x, y); "?" when none.
  std::u16string TextAt(int x, int y) const {
    std::u16string text = u"?";
    for (const auto& call : canvas.CallsOf(Op::TextOut)) {
      if (call.x == x && call.y == y) text = call.text;
    }
    return text;
  }
};

TEST(PrintPages, ChartPageNumbersAndChartNumbersUseTheUsersDecimalSeparator) {
  for (const char point : {'.', ','}) {
    SCOPED_TRACE(point);
    Printout p;
    p.AddCurve();
    p.options.conventions.decimalSeparator = point;
    EXPECT_TRUE(PrintPage(p.canvas, p.m, 1, p.texts, p.options));
    RecordingCanvas screen;
    ChartPainter painter;
    painter.Draw(screen, p.m, {0, 0, 400, 300}, p.texts, point);
    for (const RecordingCanvas* canvas : {&p.canvas, &screen}) {
      int numbers = 0;
      for (const std::u16string& text : canvas->Texts()) {
        if (text.find_first_of(u"0123456789") == std::u16string::npos) continue;
        if (text.front() == u'[') continue;  // unit and exponent labels
        ++numbers;
        EXPECT_NE(text.find(static_cast<char16_t>(point)), std::u16string::npos)
            << platform::ToUtf8(text);
        EXPECT_EQ(text.find(point == ',' ? u'.' : u','), std::u16string::npos);
      }
      EXPECT_GT(numbers, 5);
    }
  }
}

TEST(PrintPages, ChartPageDrawsInsideOneInchMarginsAndFramesThem) {
  Printout p;
  p.AddCurve();
  EXPECT_TRUE(PrintPage(p.canvas, p.m, 1, p.texts, p.options));
  // Axis font at 600 dpi: "X" is 29 x 58, so the x band is 174 high and a column 319 wide.
  EXPECT_EQ(p.m.GetPlotRect(), (Rect{600 + 320, 610, 5990, 4500 - 174}));
  const auto fills = p.canvas.CallsOf(Op::FillRect);
  ASSERT_GE(fills.size(), 8U);
  const std::vector<Rect> expected = {{0, 0, 6600, 600},     {0, 0, 600, 5100},
                                      {6000, 0, 6600, 5100}, {0, 4500, 6600, 5100},
                                      {599, 599, 6001, 600}, {599, 4500, 6001, 4501},
                                      {599, 599, 600, 4501}, {6000, 599, 6001, 4501}};
  std::vector<Rect> last;
  for (std::size_t i = fills.size() - 8; i < fills.size(); ++i) last.push_back(fills[i].rect);
  EXPECT_EQ(last, expected);
  EXPECT_EQ(fills.back().color, platform::kBlack);
  EXPECT_EQ(fills[fills.size() - 8].color, platform::kWhite);
}

TEST(PrintPages, SixHundredDpiLetterSheetTakesFiveCurvesPerSheet) {
  const RecordingCanvas canvas = Printer();
  const CurveTableGeometry geometry = CurveTableGeometryOf(canvas);
  EXPECT_EQ(geometry.columnWidth, 969);
  EXPECT_EQ(geometry.columnsPerSheet, 5);
  EXPECT_EQ(CurveTableSheetCount(0, canvas), 1);
  EXPECT_EQ(CurveTableSheetCount(5, canvas), 1);
  EXPECT_EQ(CurveTableSheetCount(6, canvas), 2);
  EXPECT_EQ(CurveTableSheetCount(16, canvas), 4);
}

TEST(PrintPages, NarrowSheetStillPrintsOneCurvePerSheet) {
  const RecordingCanvas canvas(600, {1500, 5100}, true);
  EXPECT_EQ(CurveTableGeometryOf(canvas).columnsPerSheet, 1);
  EXPECT_EQ(CurveTableSheetCount(3, canvas), 3);
}

TEST(PrintPages, TableHasTitleLabelsAndOneColumnPerCurve) {
  Printout p;
  p.AddCurve(0x0000FF)->SetName(u"Druck");
  p.AddCurve(0x00FF00)->SetName(u"Fluss");
  EXPECT_TRUE(PrintPage(p.canvas, p.m, 2, p.texts, p.options));
  EXPECT_EQ(p.sheetsStarted, 0);
  const auto* title = p.canvas.FindText(u"Test");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->y, 600);
  EXPECT_EQ(title->x, (6600 - 4 * 91) / 2);
  EXPECT_EQ(title->font.points, 22);
  const std::vector<int>& labels = CurveTableLabelIds();
  ASSERT_EQ(labels.size(), 23U);
  for (int k = 0; k < 23; ++k) {
    EXPECT_EQ(p.TextAt(600, RowTop(k)), p.texts.Text(labels[static_cast<std::size_t>(k)]));
  }
  EXPECT_EQ(p.TextAt(1569, RowTop(0)), u"Druck");
  EXPECT_EQ(p.TextAt(2538, RowTop(0)), u"Fluss");
  // Row 1: the colour swatch; row 2: the position in the curve's colour.
  bool swatch = false;
  for (const auto& fill : p.canvas.CallsOf(Op::FillRect)) {
    swatch = swatch ||
             (fill.rect == Rect{2538, RowTop(1), 3507, RowTop(1) + 91} && fill.color == 0x00FF00);
  }
  EXPECT_TRUE(swatch);
  for (const auto& call : p.canvas.CallsOf(Op::TextOut)) {
    if (call.x == 1569 && call.y == RowTop(2)) {
      EXPECT_EQ(call.text, u"1");
      EXPECT_EQ(call.color, 0x0000FFU);
    } else if (call.x == 2538 && call.y == RowTop(2)) {
      EXPECT_EQ(call.text, u"2");
      EXPECT_EQ(call.color, 0x00FF00U);
    } else {
      EXPECT_EQ(call.color, platform::kBlack) << platform::kBlack;
    }
  }
}

TEST(PrintPages, TextsLongerThanTheirColumnEndInDotsBeforeTheNextColumn) {
  // Columns of 969 pixels; 11-point characters 45 pixels wide: 20 characters fit beside the
  // gap of one blank, 17 and the dots when the text is longer.
  Printout p;
  const std::u16string longName(40, u'N');
  const std::u16string fitting(20, u'F');
  p.AddCurve()->SetName(longName);
  p.AddCurve()->SetName(fitting);
  ASSERT_TRUE(PrintPage(p.canvas, p.m, 2, p.texts, p.options));
  EXPECT_EQ(p.TextAt(1569, RowTop(0)), std::u16string(17, u'N') + u"...");
  EXPECT_EQ(p.TextAt(2538, RowTop(0)), fitting);
  for (const auto& call : p.canvas.CallsOf(Op::TextOut)) {
    if (call.y < kFirstRow) continue;  // the title spans the page
    SCOPED_TRACE(call.x);
    EXPECT_LE(static_cast<int>(call.text.size()) * 45, 969 - 45);
  }
}

TEST(PrintPages, MoreCurvesThanFitGoOnFurtherSheetsWithTitleAndLabelsAgain) {
  Printout p;
  for (int i = 0; i < 7; ++i) p.AddCurve()->SetName(u"K" + platform::Widen(std::to_string(i)));
  int sheet = 0;
  p.options.nextSheet = [&] { ++sheet; };
  PrintPage(p.canvas, p.m, 2, p.texts, p.options);
  EXPECT_EQ(sheet, 1);
  int titles = 0;
  int firstLabels = 0;
  std::vector<std::u16string> columnTops;
  for (const auto& call : p.canvas.CallsOf(Op::TextOut)) {
    if (call.text == u"Test") ++titles;
    if (call.text == u"#32860") ++firstLabels;
    if (call.y == RowTop(0) && call.x > 600) columnTops.push_back(call.text);
  }
  EXPECT_EQ(titles, 2);
  EXPECT_EQ(firstLabels, 2);
  EXPECT_EQ(columnTops,
            (std::vector<std::u16string>{u"K0", u"K1", u"K2", u"K3", u"K4", u"K5", u"K6"}));
  EXPECT_EQ(p.TextAt(1569 + 969, RowTop(2)), u"7");  // K6 is the second on its sheet
}

TEST(PrintPages, MeasurementWithoutCurvesPrintsAnEmptyTable) {
  Printout p;
  EXPECT_TRUE(PrintPage(p.canvas, p.m, 2, p.texts, p.options));
  EXPECT_TRUE(p.canvas.Calls().empty());
}

TEST(PrintPages, NotesAndUnknownPagesAreNotPrintedHere) {
  Printout p;
  EXPECT_FALSE(PrintPage(p.canvas, p.m, 3, p.texts, p.options));
  EXPECT_FALSE(PrintPage(p.canvas, p.m, 0, p.texts, p.options));
  EXPECT_TRUE(p.canvas.Calls().empty());
}

TEST(PrintPages, ColumnTextsFollowTheirFormats) {
  model::CMessungObj m;
  testing::AddAxis(m, 0, 1);
  model::CKurveObj* trigger = testing::AddCurve(m, 0, 0);
  trigger->SetChannelNumber(2);
  trigger->SetUnit(4, u"");
  model::CKurveObj* c = testing::AddCurve(m, 0, 0);
  c->SetName(u"P1");
  c->SetChannelNumber(3);
  c->SetUnit(model::kUnitCustom, u"kW");
  c->SetSensorRange(399.9F);
  c->SetValueMode(3);
  c->SetOrigin(1);
  c->SetSourceText(u"Quelle");
  c->SetXOffset(1.5F);
  c->SetYOffset(-2.0F);
  c->SetFilterCutoff(0.0005F);
  c->SetRecordingKind(1);
  c->SetDuration(3725);
  c->SetSampleInterval(0.01);
  c->SetTriggerMode(1);
  c->SetTriggerChannel(2);
  c->SetTriggerLevel(12.5F);
  c->SetTriggerEdge(1);
  c->SetPretrigger(0.25F);
  vantrel::testing::FakeTexts texts;
  tables::TextConventions conventions;
  conventions.decimalSeparator = ',';
  conventions.dateTime = [](platform::TimeStamp) { return std::u16string(u"01.02.2003 04:05:06"); };
  const std::vector<std::u16string> rows =
      CurveTableColumn(m, 1, PrintFileName(u"C:\\Messungen\\pumpe.vqa"), texts, conventions);
  const std::vector<std::u16string> expected = {u"P1",
                                                u"",
                                                u"2",
                                                u"3",
                                                u"kW",
                                                u"399",
                                                u"#32852/#32853",
                                                u"#32874",
                                                u"Quelle",
                                                u"1,500",
                                                u"-2,000",
                                                u"0,000500 Hz",
                                                u"01.02.2003 04:05:06",
                                                u"pumpe.vqa",
                                                u"#32878",
                                                u"01:02:05 h",
                                                u"0,010 s",
                                                u"",
                                                u"#32879",
                                                u"12,500 #32869",
                                                u"#32883",
                                                u"2",
                                                u"0,250 s"};
  EXPECT_EQ(rows, expected);
}

TEST(PrintPages, ColumnTextsOfAFormulaCurveAndShortDurations) {
  model::CMessungObj m;
  testing::AddAxis(m, 0, 1);
  model::CKurveObj* c = testing::AddCurve(m, 0, 0);
  c->SetOrigin(model::kOriginComputed);
  c->SetSensorRange(100.0F);
  c->SetTriggerMode(2);
  c->SetValueMode(7);
  c->SetRecordingKind(5);
  vantrel::testing::FakeTexts texts;
  const tables::TextConventions conventions;
  struct Case {
    std::int32_t duration;
    std::u16string text;
  };
  for (const Case& d : {Case{125, u"02:05 min"}, Case{59, u"59 s"}, Case{3725, u"01:02:05 h"}}) {
    c->SetDuration(d.duration);
    const auto rows = CurveTableColumn(m, 0, PrintFileName(u""), texts, conventions);
    EXPECT_EQ(rows[15], d.text);
    EXPECT_EQ(rows[5], u"");   // no sensor range for a formula curve
    EXPECT_EQ(rows[6], u"");   // unknown value mode
    EXPECT_EQ(rows[13], u"");  // never saved
    EXPECT_EQ(rows[14], u"");  // unknown recording kind
    EXPECT_EQ(rows[18], u"");  // no trigger text for a formula curve
    EXPECT_EQ(rows[19], u"");
    EXPECT_EQ(rows[20], u"#32884");
  }
}

TEST(PrintPages, FileNameIsThePartAfterTheLastSeparator) {
  EXPECT_EQ(PrintFileName(u"C:\\a\\b.vqa"), u"b.vqa");
  EXPECT_EQ(PrintFileName(u"/home/u/b.vqb"), u"b.vqb");
  EXPECT_EQ(PrintFileName(u"b.vqa"), u"b.vqa");
  EXPECT_EQ(PrintFileName(u""), u"");
}

}  // namespace
}  // namespace vantrel::chart
