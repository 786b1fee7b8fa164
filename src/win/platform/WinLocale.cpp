#include "win/platform/WinLocale.h"

#include <array>
#include <cwctype>
#include <vector>

#include "win/platform/Utf.h"
#include "win/platform/WinApi.h"

namespace sorvane {

namespace {

constexpr DWORD kSortFlags = NORM_IGNORECASE;

int Length(const std::wstring& text) {
    return static_cast<int>(text.size());
}

SYSTEMTIME ToSystemTime(const DateTime& value) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(value.year);
    st.wMonth = static_cast<WORD>(value.month);
    st.wDay = static_cast<WORD>(value.day);
    st.wHour = static_cast<WORD>(value.hour);
    st.wMinute = static_cast<WORD>(value.minute);
    st.wSecond = static_cast<WORD>(value.second);
    return st;
}

DateTime FromSystemTime(const SYSTEMTIME& st) {
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::wstring LocaleText(LCTYPE type) {
    wchar_t buffer[128];
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128);
    return length > 0 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : L"";
}

std::wstring MapCase(const std::string& text, DWORD (*map)(LPWSTR, DWORD)) {
    std::wstring wide = Widen(text);
    if (!wide.empty()) map(wide.data(), static_cast<DWORD>(wide.size()));
    return wide;
}

// Which field of a date comes first, second and third in the user's short date format.
enum class Field { Day, Month, Year };

std::array<Field, 3> ShortDateOrder() {
    const std::wstring format = LocaleText(LOCALE_SSHORTDATE);
    std::vector<Field> order;
    bool quoted = false;
    for (const wchar_t c : format) {
        if (c == L'\'') quoted = !quoted;
        if (quoted) continue;
        Field field;
        if (c == L'd') {
            field = Field::Day;
        } else if (c == L'M') {
            field = Field::Month;
        } else if (c == L'y') {
            field = Field::Year;
        } else {
            continue;
        }
        bool seen = false;
        for (const Field f : order) seen = seen || f == field;
        if (!seen) order.push_back(field);
    }
    if (order.size() != 3) return {Field::Month, Field::Day, Field::Year};
    return {order[0], order[1], order[2]};
}

// The latest year a two-digit year stands for, from the user's calendar settings.
int TwoDigitYearMax() {
    DWORD value = 0;
    if (GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN,
                         CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0, &value) &&
        value >= 99) {
        return static_cast<int>(value);
    }
    return 2029;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), Length(a), b.c_str(),
                          Length(b)) == CSTR_EQUAL;
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// A small reader over the text of a date and time.
class Cursor {
  public:
    explicit Cursor(const std::wstring& text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    void SkipBlanks() {
        while (pos_ < text_.size() && std::iswspace(text_[pos_])) ++pos_;
    }

    // Up to `maxDigits` decimal digits; how many were read (0 when there were none).
    int Number(int& value, int maxDigits) {
        int digits = 0;
        value = 0;
        while (pos_ < text_.size() && digits < maxDigits && IsDigit(text_[pos_])) {
            value = value * 10 + (text_[pos_] - L'0');
            ++pos_;
            ++digits;
        }
        return digits;
    }

    // A run of characters that are neither digits nor blanks: "/", ". ", "-" and the
    // year, month and day marks of East Asian formats alike.
    bool Separator() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !IsDigit(text_[pos_]) && !std::iswspace(text_[pos_])) {
            ++pos_;
        }
        return pos_ > start;
    }

    bool Accept(wchar_t c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // Takes `word` when the text continues with it, letter case aside.
    bool AcceptWord(const std::wstring& word) {
        if (word.empty() || text_.size() - pos_ < word.size()) return false;
        if (!SameText(text_.substr(pos_, word.size()), word)) return false;
        pos_ += word.size();
        return true;
    }

  private:
    const std::wstring& text_;
    std::size_t pos_ = 0;
};

// An AM or PM designator of the user's locale: 0 for AM, 12 for PM, -1 for none.
int Designator(Cursor& in) {
    if (in.AcceptWord(LocaleText(LOCALE_S1159))) return 0;
    if (in.AcceptWord(LocaleText(LOCALE_S2359))) return 12;
    return -1;
}

// Reads "h:m[:s]", with an AM or PM designator before or after it, into `out`.
bool ReadTime(Cursor& in, DateTime& out) {
    int offset = Designator(in);
    in.SkipBlanks();
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (in.Number(hour, 2) == 0) return false;
    if (!(in.Accept(L':') || in.Accept(L'.')) || in.Number(minute, 2) == 0) return false;
    if ((in.Accept(L':') || in.Accept(L'.')) && in.Number(second, 2) == 0) return false;
    if (offset < 0) {
        in.SkipBlanks();
        offset = Designator(in);
    }
    if (offset >= 0) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + offset;
    }
    if (hour > 23 || minute > 59 || second > 59) return false;
    out.hour = hour;
    out.minute = minute;
    out.second = second;
    return true;
}

}  // namespace

int WinLocale::CompareText(const std::string& a, const std::string& b) {
    const std::wstring wa = Widen(a);
    const std::wstring wb = Widen(b);
    const int result = CompareStringW(LOCALE_USER_DEFAULT, kSortFlags, wa.c_str(), Length(wa),
                                      wb.c_str(), Length(wb));
    if (result == 0) return wa.compare(wb);  // the call failed: any stable order will do
    return result - CSTR_EQUAL;
}

std::string WinLocale::SortKey(const std::string& text) {
    // A scan makes a key per file found, so the usual short text goes through buffers on the
    // stack, each call made once, and only a long one takes the general way.
    wchar_t shortWide[260];
    const int shortLength =
        text.empty() || text.size() > 260
            ? 0
            : MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), shortWide,
                                  260);
    std::wstring wide;
    if (shortLength == 0) wide = Widen(text);
    // The key of the empty text comes from the same call, so that texts made only of
    // ignorable characters, which compare equal to it, also get the same key.
    const wchar_t* const source = shortLength > 0 ? shortWide : (wide.empty() ? L"" : wide.c_str());
    const int sourceLength = shortLength > 0 ? shortLength : (wide.empty() ? -1 : Length(wide));
    char buffer[512];
    int bytes = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | kSortFlags, source, sourceLength,
                             reinterpret_cast<LPWSTR>(buffer), sizeof buffer);
    if (bytes > 0) {
        while (bytes > 0 && buffer[bytes - 1] == '\0') --bytes;
        return std::string(buffer, static_cast<std::size_t>(bytes));
    }
    if (shortLength > 0) wide.assign(shortWide, static_cast<std::size_t>(shortLength));
    const wchar_t* const longSource = wide.empty() ? L"" : wide.c_str();
    bytes = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | kSortFlags, longSource, sourceLength,
                         nullptr, 0);
    if (bytes <= 0) return Narrow(wide);
    std::string key(static_cast<std::size_t>(bytes), '\0');
    LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | kSortFlags, longSource, sourceLength,
                 reinterpret_cast<LPWSTR>(key.data()), bytes);
    while (!key.empty() && key.back() == '\0') key.pop_back();
    return key;
}

std::string WinLocale::Lower(const std::string& text) {
    return Narrow(MapCase(text, CharLowerBuffW));
}

std::string WinLocale::Upper(const std::string& text) {
    return Narrow(MapCase(text, CharUpperBuffW));
}

std::string WinLocale::FormatDateTime(const DateTime& value) {
    const SYSTEMTIME st = ToSystemTime(value);
    wchar_t date[128];
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 128) == 0) {
        return {};
    }
    std::string text = Narrow(date);
    if (value.hour == 0 && value.minute == 0 && value.second == 0) return text;
    wchar_t time[128];
    if (GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 128) == 0) return {};
    return text + " " + Narrow(time);
}

std::optional<DateTime> WinLocale::ParseDateTime(const std::string& text) {
    const std::wstring wide = Widen(text);
    Cursor in(wide);
    in.SkipBlanks();

    int fields[3] = {};
    int digits[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            in.SkipBlanks();
            if (!in.Separator()) return std::nullopt;
            in.SkipBlanks();
        }
        digits[i] = in.Number(fields[i], 4);
        if (digits[i] == 0) return std::nullopt;
    }
    // Formats such as "yyyy. M. d." or "yyyy年M月d日" end in a mark right after the last field.
    in.Separator();

    DateTime result;
    const std::array<Field, 3> order = ShortDateOrder();
    for (int i = 0; i < 3; ++i) {
        switch (order[i]) {
            case Field::Day:
                result.day = fields[i];
                break;
            case Field::Month:
                result.month = fields[i];
                break;
            case Field::Year:
                result.year = fields[i];
                if (digits[i] <= 2) {
                    const int max = TwoDigitYearMax();
                    result.year += max / 100 * 100;
                    if (result.year > max) result.year -= 100;
                }
                break;
        }
    }

    in.SkipBlanks();
    if (!in.AtEnd() && !ReadTime(in, result)) return std::nullopt;
    in.SkipBlanks();
    if (!in.AtEnd()) return std::nullopt;

    // The conversion rejects days the month does not have.
    const SYSTEMTIME st = ToSystemTime(result);
    FILETIME check;
    if (result.year < 1601 || !SystemTimeToFileTime(&st, &check)) return std::nullopt;
    return result;
}

std::optional<DateTime> WinLocale::FromFileTime(std::uint64_t localTicks) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(localTicks & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(localTicks >> 32);
    SYSTEMTIME st;
    if (!FileTimeToSystemTime(&ft, &st)) return std::nullopt;
    return FromSystemTime(st);
}

}  // namespace sorvane
