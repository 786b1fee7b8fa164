#include "core/utils/RecordCodec.h"

#include <algorithm>

namespace sorvane {

namespace {

constexpr char kQuote = '"';
constexpr char kSeparator = ',';

// Reads one field starting at `pos` and leaves `pos` on the comma after it or at the end.
// Text that breaks the quoting rules is kept as it stands rather than dropped: a quoted field
// that never closes runs to the end, and text after a closing quote joins the field.
std::string ReadField(const std::string& record, std::size_t& pos) {
    std::string field;
    if (pos < record.size() && record[pos] == kQuote) {
        ++pos;
        while (pos < record.size()) {
            if (record[pos] != kQuote) {
                field += record[pos++];
            } else if (pos + 1 < record.size() && record[pos + 1] == kQuote) {
                field += kQuote;
                pos += 2;
            } else {
                ++pos;
                break;
            }
        }
    }
    const std::size_t end = std::min(record.find(kSeparator, pos), record.size());
    field.append(record, pos, end - pos);
    pos = end;
    return field;
}

}  // namespace

std::string EncodeRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) record += kSeparator;
        record += kQuote;
        for (const char c : fields[i]) {
            if (c == kQuote) record += kQuote;
            record += c;
        }
        record += kQuote;
    }
    return record;
}

std::vector<std::string> DecodeRecord(const std::string& record) {
    std::vector<std::string> fields;
    if (record.empty()) return fields;
    std::size_t pos = 0;
    while (true) {
        fields.push_back(ReadField(record, pos));
        if (pos >= record.size()) break;
        ++pos;  // the comma; one after the last field means a final empty field
    }
    return fields;
}

}  // namespace sorvane
