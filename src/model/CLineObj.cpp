#include "model/CLineObj.h"

#include "model/CMessungObj.h"

namespace vantrel::model {

void CLineObj::Draw(platform::Canvas&, const platform::Rect&, const CMessungObj&) const {}

platform::Rect CLineObj::HitRect(const platform::Rect&, const CMessungObj&) const { return {}; }

}  // namespace vantrel::model
