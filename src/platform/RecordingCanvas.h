// A canvas that records every drawing call with its exact arguments, for tests that assert
// coordinates. Text metrics are deterministic: a font of p points is h = p x DPI / 72
// pixels high and every character is h / 2 pixels wide (integer division).
#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace vantrel::platform {

class RecordingCanvas final : public Canvas {
 public:
  enum class Op { MoveTo, LineTo, SetPixel, FillRect, TextOut, DragRect };

  struct Call {
    Op op = Op::MoveTo;
    int x = 0;
    int y = 0;
    Rect rect;                  // FillRect, DragRect (the new one)
    Rect erased;                // DragRect: the erased one, null when none
    std::u16string text;        // TextOut
    Color color = kBlack;       // pen colour for lines, pixel/fill colour, text colour
    int penWidth = 0;           // lines
    Font font;                  // TextOut
    Color background = kWhite;  // TextOut
  };

  explicit RecordingCanvas(int dpi = 96, Size page = {1000, 1000}, bool printer = false);

  Pen SelectPen(const Pen& pen) override;
  Font SelectFont(const Font& font) override;
  Size TextExtent(const std::u16string& text) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void SetPixel(int x, int y, Color color) override;
  void FillRect(const Rect& rect, Color color) override;
  void TextOut(int x, int y, const std::u16string& text) override;
  void DragRect(const Rect& rect, const Rect* previous) override;
  Color SetTextColor(Color color) override;
  Color SetBackgroundColor(Color color) override;
  Color BackgroundColor() const override { return background_; }
  int DpiX() const override { return dpi_; }
  int DpiY() const override { return dpi_; }
  Size PageSize() const override { return page_; }
  bool IsPrinter() const override { return printer_; }

  const std::vector<Call>& Calls() const { return calls_; }
  /// The calls of one kind, in order.
  std::vector<Call> CallsOf(Op op) const;
  /// The texts drawn, in order.
  std::vector<std::u16string> Texts() const;
  /// The TextOut call that drew `text` first; null when none.
  const Call* FindText(const std::u16string& text) const;
  void Clear() { calls_.clear(); }
  const Pen& CurrentPen() const { return pen_; }
  const Font& CurrentFont() const { return font_; }
  Point CurrentPosition() const { return position_; }

 private:
  int dpi_;
  Size page_;
  bool printer_;
  Pen pen_;
  Font font_;
  Color textColor_ = kBlack;
  Color background_ = kWhite;
  Point position_;
  std::vector<Call> calls_;
};

}  // namespace vantrel::platform
