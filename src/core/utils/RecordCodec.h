#pragma once
// Records of the result lists and the cleaning history: fields in double quotes separated by
// commas; a quote inside a field is doubled. Reading keeps commas that stand inside quotes.
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

std::string EncodeRecord(const std::vector<std::string>& fields);
// Adds one record of `fields` to the end of `out`, without a line break.
void AppendRecord(std::string& out, std::initializer_list<std::string_view> fields);

// The fields of one record in turn, each a view of the record unless it had to be decoded:
// reading a long file field by field then copies next to nothing.
class RecordReader {
  public:
    explicit RecordReader(std::string_view record) : record_(record), done_(record.empty()) {}
    // The next field, valid until the next call; nullopt after the last.
    std::optional<std::string_view> Next();

  private:
    std::string_view record_;
    std::size_t pos_ = 0;
    bool done_;
    std::string scratch_;
};

}  // namespace sorvane
