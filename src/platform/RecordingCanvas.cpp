#include "platform/RecordingCanvas.h"

namespace vantrel::platform {

RecordingCanvas::RecordingCanvas(int dpi, Size page, bool printer)
    : dpi_(dpi), page_(page), printer_(printer) {}

Pen RecordingCanvas::SelectPen(const Pen& pen) {
  Pen previous = pen_;
  pen_ = pen;
  return previous;
}

Font RecordingCanvas::SelectFont(const Font& font) {
  Font previous = font_;
  font_ = font;
  return previous;
}

Size RecordingCanvas::TextExtent(const std::u16string& text) {
  const int height = PointsToPixels(font_.points);
  return {static_cast<int>(text.size()) * (height / 2), height};
}

void RecordingCanvas::MoveTo(int x, int y) {
  position_ = {x, y};
  Call call;
  call.op = Op::MoveTo;
  call.x = x;
  call.y = y;
  calls_.push_back(std::move(call));
}

void RecordingCanvas::LineTo(int x, int y) {
  Call call;
  call.op = Op::LineTo;
  call.x = x;
  call.y = y;
  call.rect = {position_.x, position_.y, x, y};
  call.color = pen_.color;
  call.penWidth = pen_.width;
  calls_.push_back(std::move(call));
  position_ = {x, y};
}

void RecordingCanvas::SetPixel(int x, int y, Color color) {
  Call call;
  call.op = Op::SetPixel;
  call.x = x;
  call.y = y;
  call.color = color;
  calls_.push_back(std::move(call));
}

void RecordingCanvas::FillRect(const Rect& rect, Color color) {
  Call call;
  call.op = Op::FillRect;
  call.rect = rect;
  call.color = color;
  calls_.push_back(std::move(call));
}

void RecordingCanvas::TextOut(int x, int y, const std::u16string& text) {
  Call call;
  call.op = Op::TextOut;
  call.x = x;
  call.y = y;
  call.text = text;
  call.color = textColor_;
  call.font = font_;
  call.background = background_;
  calls_.push_back(std::move(call));
}

void RecordingCanvas::DragRect(const Rect& rect, const Rect* previous) {
  Call call;
  call.op = Op::DragRect;
  call.rect = rect;
  if (previous != nullptr) call.erased = *previous;
  calls_.push_back(std::move(call));
}

Color RecordingCanvas::SetTextColor(Color color) {
  Color previous = textColor_;
  textColor_ = color;
  return previous;
}

Color RecordingCanvas::SetBackgroundColor(Color color) {
  Color previous = background_;
  background_ = color;
  return previous;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::CallsOf(Op op) const {
  std::vector<Call> result;
  for (const Call& call : calls_) {
    if (call.op == op) result.push_back(call);
  }
  return result;
}

std::vector<std::u16string> RecordingCanvas::Texts() const {
  std::vector<std::u16string> result;
  for (const Call& call : calls_) {
    if (call.op == Op::TextOut) result.push_back(call.text);
  }
  return result;
}

const RecordingCanvas::Call* RecordingCanvas::FindText(const std::u16string& text) const {
  for (const Call& call : calls_) {
    if (call.op == Op::TextOut && call.text == text) return &call;
  }
  return nullptr;
}

}  // namespace vantrel::platform
