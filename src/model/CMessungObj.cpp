#include "model/CMessungObj.h"

#include <cfloat>

namespace vantrel::model {

CMessungObj::CMessungObj(platform::MessageService* messages) : messages_(messages) {}

CMessungObj::~CMessungObj() = default;

CKurveObj* CMessungObj::AddCurve() {
  return AdoptCurve(std::make_unique<CKurveObj>(messages_));
}

CKurveObj* CMessungObj::AdoptCurve(std::unique_ptr<CKurveObj> curve) {
  CKurveObj* added = nullptr;
  platform::RetryOnOutOfMemory(messages_, [&] {
    curves_.push_back(std::move(curve));
    added = curves_.back().get();
  });
  if (added != nullptr) added->SetMessageService(messages_);
  return added;
}

void CMessungObj::AppendLoadedCurve(std::unique_ptr<CKurveObj> curve) {
  curve->SetMessageService(messages_);
  curves_.push_back(std::move(curve));
}

CKurveObj* CMessungObj::GetCurve(int index) {
  if (index < 0 || index >= GetCurveCount()) return nullptr;
  return curves_[static_cast<std::size_t>(index)].get();
}

const CKurveObj* CMessungObj::GetCurve(int index) const {
  if (index < 0 || index >= GetCurveCount()) return nullptr;
  return curves_[static_cast<std::size_t>(index)].get();
}

CKurveObj* CMessungObj::FindCurveByChannel(int channelNumber) {
  const int examined = std::min(GetCurveCount(), kMaxCurves);
  for (int i = 0; i < examined; ++i) {
    if (curves_[static_cast<std::size_t>(i)]->GetChannelNumber() == channelNumber) {
      return curves_[static_cast<std::size_t>(i)].get();
    }
  }
  return nullptr;
}

void CMessungObj::RemoveCurve(int index) {
  if (index < 0 || index >= GetCurveCount()) return;
  const int axis = curves_[static_cast<std::size_t>(index)]->GetAxisIndex();
  if (CollectAxisColors(axis).size() == 1 && axis >= 0 && axis < GetYAxisCount()) {
    yAxes_.erase(yAxes_.begin() + axis);
    for (auto& curve : curves_) {
      if (curve->GetAxisIndex() > axis) curve->SetAxisIndex(curve->GetAxisIndex() - 1);
    }
  }
  curves_.erase(curves_.begin() + index);
}

CAchse* CMessungObj::AddYAxis() {
  CAchse* added = nullptr;
  platform::RetryOnOutOfMemory(messages_, [&] {
    auto axis = std::make_unique<CAchse>();
    axis->SetMin(FLT_MAX);
    axis->SetMax(FLT_MIN);
    axis->SetDivisions(3);
    yAxes_.push_back(std::move(axis));
    added = yAxes_.back().get();
  });
  return added;
}

CAchse* CMessungObj::GetYAxis(int index) {
  if (index < 0 || index >= GetYAxisCount()) return nullptr;
  return yAxes_[static_cast<std::size_t>(index)].get();
}

const CAchse* CMessungObj::GetYAxis(int index) const {
  if (index < 0 || index >= GetYAxisCount()) return nullptr;
  return yAxes_[static_cast<std::size_t>(index)].get();
}

std::vector<platform::Color> CMessungObj::CollectAxisColors(int axisIndex) const {
  std::vector<platform::Color> colors;
  const int xSource = xAxis_.GetXCurveIndex();
  for (int i = 0; i < GetCurveCount(); ++i) {
    const CKurveObj& curve = *curves_[static_cast<std::size_t>(i)];
    if (curve.GetAxisIndex() == axisIndex && i != xSource) colors.push_back(curve.GetColor());
  }
  return colors;
}

void CMessungObj::AddText(const std::u16string& text, int size, double x, double y) {
  platform::RetryOnOutOfMemory(
      messages_, [&] { texts_.push_back(std::make_unique<CTextObj>(text, size, x, y)); });
}

void CMessungObj::RemoveText(int position) {
  if (position < 0 || position >= GetTextCount()) return;
  texts_.erase(texts_.begin() + position);
}

CTextObj* CMessungObj::GetText(int position) {
  if (position < 0 || position >= GetTextCount()) return nullptr;
  return texts_[static_cast<std::size_t>(position)].get();
}

const CTextObj* CMessungObj::GetText(int position) const {
  if (position < 0 || position >= GetTextCount()) return nullptr;
  return texts_[static_cast<std::size_t>(position)].get();
}

void CMessungObj::AddLine(double x, double y, double dx, double dy) {
  platform::RetryOnOutOfMemory(
      messages_, [&] { lines_.push_back(std::make_unique<CLineObj>(x, y, dx, dy)); });
}

void CMessungObj::RemoveLine(int position) {
  if (position < 0 || position >= GetLineCount()) return;
  lines_.erase(lines_.begin() + position);
}

CLineObj* CMessungObj::GetLine(int position) {
  if (position < 0 || position >= GetLineCount()) return nullptr;
  return lines_[static_cast<std::size_t>(position)].get();
}

const CLineObj* CMessungObj::GetLine(int position) const {
  if (position < 0 || position >= GetLineCount()) return nullptr;
  return lines_[static_cast<std::size_t>(position)].get();
}

int CMessungObj::HitTestText(platform::Point point, platform::Rect* rect,
                             platform::Canvas& canvas) const {
  for (int i = 0; i < GetTextCount(); ++i) {
    const platform::Rect r = texts_[static_cast<std::size_t>(i)]->ScreenRect(canvas, plotRect_, *this);
    if (r.Contains(point)) {
      if (rect != nullptr) *rect = r;
      return i;
    }
  }
  return -1;
}

int CMessungObj::HitTestLine(platform::Point point, platform::Rect* rect) const {
  for (int i = 0; i < GetLineCount(); ++i) {
    const platform::Rect r = lines_[static_cast<std::size_t>(i)]->HitRect(plotRect_, *this);
    if (r.Contains(point)) {
      if (rect != nullptr) *rect = r;
      return i;
    }
  }
  return -1;
}

bool CMessungObj::DrawTextAt(int position, double x, double y, platform::Canvas& canvas) {
  CTextObj* text = GetText(position);
  return text != nullptr && text->DragTo(x, y, canvas, plotRect_, *this);
}

void CMessungObj::SetName(const std::u16string& name, int number) {
  name_ = name;
  if (number > 0 && number < 256) storageNumber_ = number;
}

void CMessungObj::SetStoredState(std::u16string name, int storageNumber, double xZoom,
                                 double yZoom, double xScroll, double yScroll, int titleVisible) {
  name_ = std::move(name);
  storageNumber_ = storageNumber;
  xZoom_ = xZoom;
  yZoom_ = yZoom;
  xScroll_ = xScroll;
  yScroll_ = yScroll;
  titleVisible_ = titleVisible;
  onlineActive_ = 0;
}

}  // namespace vantrel::model
