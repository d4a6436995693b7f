// Stored measurements of the simulated instrument taken from document files: each file's
// measurement as the instrument would have stored it, so that a readout brings back what a
// technician recorded before (to the instrument's resolution).
#pragma once

#include <filesystem>
#include <vector>

#include "SimMeasurements.h"
#include "model/CMessungObj.h"

namespace vantrel::sim {

/// The measurement as the block protocol carries it: its first six measured curves (formula
/// curves are not the instrument's), cut to the shortest of them and to 65535 samples, the
/// minimum and maximum of each sample in steps of sensor range / 15000 (a range too small
/// for the values is widened), the unit as the instrument writes it, the first curve's
/// sample interval, start time and trigger. `storageNumber` is used when the measurement
/// has none. Throws VantrelError when there is no measured curve.
SimMeasurement MeasurementFromDocument(const model::CMessungObj& measurement, int storageNumber);

/// The measurements of the document files in `paths`, numbered 1, 2, ... where they carry no
/// storage number. Throws VantrelError naming the file that cannot be read or served.
std::vector<SimMeasurement> LoadDocumentMeasurements(
    const std::vector<std::filesystem::path>& paths);

}  // namespace vantrel::sim
