// Field by field: the values come straight from the model as stored (raw axis fields).
#include "DocumentJson.h"

namespace vantrel::cli {
namespace {

void WriteAxisPart(JsonWriter& json, const model::CAchse& axis) {
  json.Key("unitCode");
  json.Int(axis.RawUnitCode());
  json.Key("rangeMin");
  json.Float(axis.RawMin());
  json.Key("rangeMax");
  json.Float(axis.RawMax());
  json.Key("divisions");
  json.Int(axis.RawDivisions());
  json.Key("unitText");
  json.String(axis.RawUnitText());
}

void WriteXAxis(JsonWriter& json, const model::CXAchse& axis) {
  json.BeginObject();
  WriteAxisPart(json, axis);
  json.Key("drawLines");
  json.Int(axis.RawDrawLines());
  json.Key("xyMode");
  json.Int(axis.RawXYMode());
  json.Key("timeUnit");
  json.Int(axis.RawTimeUnit());
  json.Key("xyMin");
  json.Float(axis.RawXYMin());
  json.Key("xyMax");
  json.Float(axis.RawXYMax());
  json.Key("xCurveIndex");
  json.Int(axis.RawXCurveIndex());
  json.Key("xyDivisions");
  json.Int(axis.RawXYDivisions());
  json.EndObject();
}

void WriteCurve(JsonWriter& json, const model::CKurveObj& c, bool withSamples) {
  json.BeginObject();
  json.Key("name");
  json.String(c.GetName());
  json.Key("sourceText");
  json.String(c.GetSourceText());
  json.Key("unitText");
  json.String(c.GetUnitText());
  json.Key("unitCode");
  json.Int(c.GetUnitCode());
  json.Key("origin");
  json.Int(c.GetOrigin());
  json.Key("recordingKind");
  json.Int(c.GetRecordingKind());
  json.Key("triggerMode");
  json.Int(c.GetTriggerMode());
  json.Key("triggerChannel");
  json.Int(c.GetTriggerChannel());
  json.Key("triggerLevel");
  json.Float(c.GetTriggerLevel());
  json.Key("triggerEdge");
  json.Int(c.GetTriggerEdge());
  json.Key("pretrigger");
  json.Float(c.GetPretrigger());
  json.Key("triggerInPercent");
  json.Int(c.GetTriggerInPercent());
  json.Key("sensorRange");
  json.Float(c.GetSensorRange());
  json.Key("startTime");
  json.UInt(c.GetStartTime());
  json.Key("duration");
  json.Int(c.GetDuration());
  json.Key("sampleInterval");
  json.Double(c.GetSampleInterval());
  json.Key("sourceNumber");
  json.Int(c.GetSourceNumber());
  json.Key("channelNumber");
  json.Int(c.GetChannelNumber());
  json.Key("peakValue");
  json.Float(c.GetPeakValue());
  json.Key("color");
  json.UInt(c.GetColor());
  json.Key("valueMode");
  json.Int(c.GetValueMode());
  json.Key("xOffset");
  json.Float(c.GetXOffset());
  json.Key("yOffset");
  json.Float(c.GetYOffset());
  json.Key("axisIndex");
  json.Int(c.GetAxisIndex());
  json.Key("filterCutoff");
  json.Float(c.GetFilterCutoff());
  json.Key("drawOrder");
  json.Int(c.GetDrawOrder());
  json.Key("visible");
  json.Int(c.GetVisible());
  json.Key("samples");
  if (!withSamples) {
    json.Int(c.GetSampleCount());
  } else {
    json.BeginArray();
    for (const model::CValueObj& s : c.Samples()) {
      json.BeginArray();
      json.Float(s.minimum);
      json.Float(s.maximum);
      json.Float(s.value);
      json.EndArray();
    }
    json.EndArray();
  }
  json.EndObject();
}

}  // namespace

void WriteDocumentJson(JsonWriter& json, const model::CMessungObj& m, int imported,
                       bool withSamples) {
  json.BeginObject();
  json.Key("imported");
  json.Int(imported);
  json.Key("measurement");
  json.BeginObject();
  json.Key("name");
  json.String(m.GetName());
  json.Key("storageNumber");
  json.Int(m.GetStorageNumber());
  json.Key("titleVisible");
  json.Int(m.GetTitleVisible());
  json.Key("xZoom");
  json.Double(m.GetXZoom());
  json.Key("yZoom");
  json.Double(m.GetYZoom());
  json.Key("xScroll");
  json.Double(m.GetXScroll());
  json.Key("yScroll");
  json.Double(m.GetYScroll());
  int columns = 0;
  int rows = 0;
  m.GetGrid(&columns, &rows);
  json.Key("gridVisible");
  json.Int(m.IsGridVisible());
  json.Key("gridColumns");
  json.Int(columns);
  json.Key("gridRows");
  json.Int(rows);
  json.Key("notes");
  if (m.GetNotes().has_value()) {
    json.Base64(*m.GetNotes());
  } else {
    json.Null();
  }
  json.Key("xAxis");
  WriteXAxis(json, m.GetXAxis());
  json.Key("yAxes");
  json.BeginArray();
  for (const auto& axis : m.YAxes()) {
    json.BeginObject();
    WriteAxisPart(json, *axis);
    json.EndObject();
  }
  json.EndArray();
  json.Key("curves");
  json.BeginArray();
  for (const auto& curve : m.Curves()) WriteCurve(json, *curve, withSamples);
  json.EndArray();
  json.Key("texts");
  json.BeginArray();
  for (const auto& text : m.Texts()) {
    json.BeginObject();
    json.Key("text");
    json.String(text->GetText());
    json.Key("posX");
    json.Double(text->GetPosX());
    json.Key("posY");
    json.Double(text->GetPosY());
    json.Key("fontSize");
    json.Int(text->GetFontSize());
    json.EndObject();
  }
  json.EndArray();
  json.Key("lines");
  json.BeginArray();
  for (const auto& line : m.Lines()) {
    json.BeginObject();
    json.Key("posX");
    json.Double(line->GetPosX());
    json.Key("posY");
    json.Double(line->GetPosY());
    json.Key("dx");
    json.Double(line->GetDx());
    json.Key("dy");
    json.Double(line->GetDy());
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  json.EndObject();
}

}  // namespace vantrel::cli
