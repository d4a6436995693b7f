// Online stream text of the simulated instrument.
#include "OnlineStream.h"

#include <cstdio>

namespace vantrel::sim {
namespace {

// "\337" is the degree sign of the instrument's code page (0xDF) before the "C".
const char* const kLineUnits[] = {"K1  bar\r\n", "K2 l/min\r\n", "K3  \337C\r\n"};
const char* const kFieldUnits[] = {"bar", "l/min", "\337C", "U/min", "PSI", "mbar"};

std::string Seven(double value, bool decimalComma) {
  char text[32];
  std::snprintf(text, sizeof text, "%7.1f", value);
  std::string field(text);
  if (field.size() > 7) field = field.substr(field.size() - 7);
  if (decimalComma) {
    for (char& c : field) {
      if (c == '.') c = ',';
    }
  }
  return field;
}

std::string Whole(std::uint64_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%7llu", static_cast<unsigned long long>(value % 10000000));
  return text;
}

}  // namespace

std::string LineFormatHeader(int channels, const std::string& intervalText) {
  std::string text = "\x02\r\n\r\n";
  text += "Datum: 07   12   06 \r\n";
  text += "Zeit:  14   35   20 \r\n";
  text += "Abtastrate:   " + intervalText + "\r\n";
  for (int i = 0; i < 3; ++i) text += i < channels ? kLineUnits[i] : "K\r\n";
  return text;
}

std::string LineFormatRecord(int channels, std::uint64_t sequence) {
  std::string line;
  for (int j = 0; j < channels; ++j) {
    line += Whole(sequence);
    line += Whole(sequence + static_cast<std::uint64_t>(j));
    line += Seven(j + 0.5, false);
  }
  return line + "\r\n";
}

std::string FieldFormatHeader(int channels, const std::string& intervalText) {
  std::string text = "Trevanometrix\r\nOnline\r\n----\r\n \r\n";
  text += "Datum      07.12.06\r\n";
  text += "Zeit       14:35:20\r\n";
  text += "Messrate:     " + intervalText + "\r\n";
  for (int j = 0; j < channels; ++j) {
    char line[64];
    // Channel 2 of six is a channel derived by the instrument: "-" and the unit 3 further on.
    if (channels == 6 && j == 1) {
      std::snprintf(line, sizeof line, " %d-     %s\r\n", j + 1, kFieldUnits[j]);
    } else {
      std::snprintf(line, sizeof line, " %d   %s\r\n", j + 1, kFieldUnits[j]);
    }
    text += line;
  }
  text += "Zeit\tK1\tK2\r\n";
  return text;
}

std::string FieldFormatRecord(int channels, std::uint64_t sequence) {
  std::string record = "12:00:00";
  for (int j = 0; j < channels; ++j) {
    record += '\t' + Whole(sequence);
    record += '\t' + Seven(j + 0.5, true);
    record += '\t' + Whole(sequence + static_cast<std::uint64_t>(j));
  }
  return record + "\r\n";
}

}  // namespace vantrel::sim
