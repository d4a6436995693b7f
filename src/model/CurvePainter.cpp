// Drawing of one curve into the plot rectangle.
#include "model/CKurveObj.h"
#include "model/CMessungObj.h"

namespace vantrel::model {

void CKurveObj::Draw(platform::Canvas& /*canvas*/, const platform::Rect& /*plot*/,
                     const CMessungObj& /*measurement*/) const {}

}  // namespace vantrel::model
