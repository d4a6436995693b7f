#include "model/CMessungObj.h"

#include <algorithm>
#include <cfloat>

namespace vantrel::model {
namespace {

// Comparisons of the stored parts only: the visible windows and drag rectangles that
// drawing leaves behind are not document state.
bool SameAxis(const CAchse& a, const CAchse& b) {
  return a.RawUnitCode() == b.RawUnitCode() && a.RawUnitText() == b.RawUnitText() &&
         a.RawMin() == b.RawMin() && a.RawMax() == b.RawMax() &&
         a.RawDivisions() == b.RawDivisions();
}

bool SameXAxis(const CXAchse& a, const CXAchse& b) {
  return SameAxis(a, b) && a.RawDrawLines() == b.RawDrawLines() && a.RawXYMode() == b.RawXYMode() &&
         a.RawTimeUnit() == b.RawTimeUnit() && a.RawXYMax() == b.RawXYMax() &&
         a.RawXYMin() == b.RawXYMin() && a.RawXCurveIndex() == b.RawXCurveIndex() &&
         a.RawXYDivisions() == b.RawXYDivisions();
}

bool SameText(const CTextObj& a, const CTextObj& b) {
  return a.GetText() == b.GetText() && a.GetFontSize() == b.GetFontSize() &&
         a.GetPosX() == b.GetPosX() && a.GetPosY() == b.GetPosY();
}

bool SameLine(const CLineObj& a, const CLineObj& b) {
  return a.GetPosX() == b.GetPosX() && a.GetPosY() == b.GetPosY() && a.GetDx() == b.GetDx() &&
         a.GetDy() == b.GetDy();
}

template <typename T, typename Same>
bool SameList(const std::vector<std::unique_ptr<T>>& a, const std::vector<std::unique_ptr<T>>& b,
              Same same) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&same](const auto& x, const auto& y) { return same(*x, *y); });
}

template <typename T>
std::vector<std::unique_ptr<T>> CopyList(const std::vector<std::unique_ptr<T>>& list) {
  std::vector<std::unique_ptr<T>> copy;
  copy.reserve(list.size());
  for (const auto& element : list) copy.push_back(std::make_unique<T>(*element));
  return copy;
}

}  // namespace

CMessungObj::CMessungObj(platform::MessageService* messages) : messages_(messages) {}

CMessungObj::~CMessungObj() = default;

CKurveObj* CMessungObj::AddCurve() { return AdoptCurve(std::make_unique<CKurveObj>(messages_)); }

CKurveObj* CMessungObj::AdoptCurve(std::unique_ptr<CKurveObj> curve) {
  CKurveObj* added = nullptr;
  platform::RetryOnOutOfMemory(messages_, [&] {
    curves_.push_back(std::move(curve));
    added = curves_.back().get();
  });
  if (added != nullptr) {
    added->SetMessageService(messages_);
    added->TakeNewIdentity();
  }
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
  platform::RetryOnOutOfMemory(messages_,
                               [&] { lines_.push_back(std::make_unique<CLineObj>(x, y, dx, dy)); });
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
    const platform::Rect r =
        texts_[static_cast<std::size_t>(i)]->ScreenRect(canvas, plotRect_, *this);
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

std::unique_ptr<CMessungObj> CMessungObj::CopyDocumentState() const {
  auto copy = std::make_unique<CMessungObj>(messages_);
  copy->SetStoredState(name_, storageNumber_, xZoom_, yZoom_, xScroll_, yScroll_, titleVisible_);
  copy->gridVisible_ = gridVisible_;
  copy->gridColumns_ = gridColumns_;
  copy->gridRows_ = gridRows_;
  copy->notes_ = notes_;
  copy->xAxis_ = xAxis_;
  copy->yAxes_ = CopyList(yAxes_);
  copy->texts_ = CopyList(texts_);
  copy->lines_ = CopyList(lines_);
  copy->curves_.reserve(curves_.size());
  for (const auto& curve : curves_) {
    auto state = std::make_unique<CKurveObj>(*curve);
    state->DiscardFilter();
    copy->curves_.push_back(std::move(state));
  }
  return copy;
}

bool CMessungObj::SameCurves(const CMessungObj& other) const {
  return SameList(curves_, other.curves_, [](const CKurveObj& a, const CKurveObj& b) {
    return a.IsSameCurveAs(b) && a.SharesSamplesWith(b) && a.SameSettingsAs(b);
  });
}

void CMessungObj::RestoreCurves(const CMessungObj& from, const CMessungObj& to) {
  std::vector<std::unique_ptr<CKurveObj>> restored;
  restored.reserve(to.curves_.size() + curves_.size());
  for (const auto& state : to.curves_) {
    const auto own = std::find_if(curves_.begin(), curves_.end(), [&state](const auto& curve) {
      return curve != nullptr && curve->IsSameCurveAs(*state);
    });
    if (own != curves_.end()) {
      (*own)->RestoreState(*state);
      restored.push_back(std::move(*own));
    } else {
      auto curve = std::make_unique<CKurveObj>(*state);
      curve->SetMessageService(messages_);
      restored.push_back(std::move(curve));
    }
  }
  // A curve neither state knows came after them and stays.
  for (auto& curve : curves_) {
    if (curve == nullptr) continue;
    const auto known = [&curve](const auto& state) { return curve->IsSameCurveAs(*state); };
    if (std::none_of(from.curves_.begin(), from.curves_.end(), known)) {
      restored.push_back(std::move(curve));
    }
  }
  curves_ = std::move(restored);
}

bool CMessungObj::SameDocumentState(const CMessungObj& other) const {
  return name_ == other.name_ && storageNumber_ == other.storageNumber_ &&
         titleVisible_ == other.titleVisible_ && gridVisible_ == other.gridVisible_ &&
         gridColumns_ == other.gridColumns_ && gridRows_ == other.gridRows_ &&
         notes_ == other.notes_ && SameXAxis(xAxis_, other.xAxis_) &&
         SameList(yAxes_, other.yAxes_, SameAxis) && SameList(texts_, other.texts_, SameText) &&
         SameList(lines_, other.lines_, SameLine) && SameCurves(other);
}

void CMessungObj::ApplyStateChange(const CMessungObj& from, const CMessungObj& to) {
  if (from.name_ != to.name_ || from.storageNumber_ != to.storageNumber_) {
    name_ = to.name_;
    storageNumber_ = to.storageNumber_;
  }
  if (from.titleVisible_ != to.titleVisible_) titleVisible_ = to.titleVisible_;
  if (from.gridVisible_ != to.gridVisible_ || from.gridColumns_ != to.gridColumns_ ||
      from.gridRows_ != to.gridRows_) {
    gridVisible_ = to.gridVisible_;
    gridColumns_ = to.gridColumns_;
    gridRows_ = to.gridRows_;
  }
  if (from.notes_ != to.notes_) notes_ = to.notes_;
  if (!SameXAxis(from.xAxis_, to.xAxis_)) xAxis_ = to.xAxis_;
  if (!SameList(from.yAxes_, to.yAxes_, SameAxis)) yAxes_ = CopyList(to.yAxes_);
  if (!SameList(from.texts_, to.texts_, SameText)) texts_ = CopyList(to.texts_);
  if (!SameList(from.lines_, to.lines_, SameLine)) lines_ = CopyList(to.lines_);
  if (!from.SameCurves(to)) RestoreCurves(from, to);
}

void CMessungObj::SetStoredState(std::u16string name, int storageNumber, double xZoom, double yZoom,
                                 double xScroll, double yScroll, int titleVisible) {
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
