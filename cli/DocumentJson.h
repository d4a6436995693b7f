// The JSON form of a document that `dump` prints: every stored field of the measurement,
// its axes, curves (with their samples or only their count), texts and lines, in the key
// order of the command-line contract.
#pragma once

#include "JsonWriter.h"
#include "model/CMessungObj.h"

namespace vantrel::cli {

void WriteDocumentJson(JsonWriter& json, const model::CMessungObj& measurement, int imported,
                       bool withSamples);

}  // namespace vantrel::cli
