#include "core/utils/RecordCodec.h"

#include <algorithm>

namespace sorvane {

namespace {
constexpr char kQuote = '"';
constexpr char kSeparator = ',';
}  // namespace

void AppendRecord(std::string& out, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (std::string_view field : fields) {
        if (!first) out += kSeparator;
        first = false;
        out += kQuote;
        // Whole stretches between quotes at a time: a record of plain text is a few copies.
        for (std::size_t quote = field.find(kQuote); quote != std::string_view::npos;
             quote = field.find(kQuote)) {
            out.append(field.substr(0, quote + 1));
            out += kQuote;
            field.remove_prefix(quote + 1);
        }
        out.append(field);
        out += kQuote;
    }
}

std::string EncodeRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) record += kSeparator;
        AppendRecord(record, {fields[i]});
    }
    return record;
}

// Text that breaks the quoting rules is kept as it stands rather than dropped: a quoted field
// that never closes runs to the end, and text after a closing quote joins the field.
std::optional<std::string_view> RecordReader::Next() {
    if (done_) return std::nullopt;
    const std::size_t size = record_.size();
    std::string_view field;
    if (pos_ < size && record_[pos_] == kQuote) {
        const std::size_t start = ++pos_;
        bool decoded = false;
        // From quote to quote: a long file's fields are read at the speed of a memory scan.
        while (pos_ < size) {
            const std::size_t quote = std::min(record_.find(kQuote, pos_), size);
            if (decoded) scratch_.append(record_, pos_, quote - pos_);
            pos_ = quote;
            if (pos_ + 1 >= size || record_[pos_ + 1] != kQuote) break;
            if (!decoded) scratch_.assign(record_, start, pos_ - start);
            decoded = true;
            scratch_ += kQuote;
            pos_ += 2;
        }
        const std::size_t close = pos_;
        if (pos_ < size) ++pos_;  // the closing quote
        const std::size_t end = std::min(record_.find(kSeparator, pos_), size);
        if (!decoded && end == pos_) {
            field = record_.substr(start, close - start);
        } else {
            if (!decoded) scratch_.assign(record_, start, close - start);
            scratch_.append(record_, pos_, end - pos_);
            field = scratch_;
        }
        pos_ = end;
    } else {
        const std::size_t end = std::min(record_.find(kSeparator, pos_), size);
        field = record_.substr(pos_, end - pos_);
        pos_ = end;
    }
    // One comma after the last field means a final empty field.
    if (pos_ >= size) {
        done_ = true;
    } else {
        ++pos_;
    }
    return field;
}

}  // namespace sorvane
