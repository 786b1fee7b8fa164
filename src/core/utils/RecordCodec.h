#pragma once
// Records of the result lists: fields in double quotes separated by commas; a quote inside
// a field is doubled. Decoding keeps commas that stand inside quotes.
#include <string>
#include <vector>

namespace sorvane {

std::string EncodeRecord(const std::vector<std::string>& fields);
std::vector<std::string> DecodeRecord(const std::string& record);

}  // namespace sorvane
