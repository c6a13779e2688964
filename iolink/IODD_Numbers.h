#pragma once
// Number conversions of attribute texts for the IODD reader: decimal only, blanks around the
// number allowed (XML Schema collapses them), nothing else after the digits, the caller's
// default when the text is empty, malformed or out of range.
#include <charconv>
#include <cstdint>
#include <limits>

namespace iodd_numbers {

inline bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32 && c != 0; }

enum class Parsed { Ok, NotANumber, OutOfRange };

// A decimal integer; OutOfRange when its digits do not fit 64 bits.
inline Parsed parseDecimal(const char *s, int64_t &out)
{
    if (!s)
        return Parsed::NotANumber;
    while (isBlank(*s))
        ++s;
    bool neg = false;
    if (*s == '+' || *s == '-') {
        neg = *s == '-';
        ++s;
    }
    if (*s < '0' || *s > '9')
        return Parsed::NotANumber;
    uint64_t v = 0;
    bool overflow = false;
    const uint64_t limit = neg ? uint64_t(std::numeric_limits<int64_t>::max()) + 1
                               : uint64_t(std::numeric_limits<int64_t>::max());
    for (; *s >= '0' && *s <= '9'; ++s) {
        const unsigned d = unsigned(*s - '0');
        if (v > (limit - d) / 10)
            overflow = true;
        else
            v = v * 10 + d;
    }
    while (isBlank(*s))
        ++s;
    if (*s)
        return Parsed::NotANumber;
    if (overflow)
        return Parsed::OutOfRange;
    out = neg ? int64_t(0 - v) : int64_t(v);
    return Parsed::Ok;
}

inline bool parseInt64(const char *s, int64_t &out) { return parseDecimal(s, out) == Parsed::Ok; }

inline int64_t toInt64(const char *s, int64_t def)
{
    int64_t v;
    return parseInt64(s, v) ? v : def;
}

inline int32_t toInt32(const char *s, int32_t def)
{
    int64_t v;
    if (!parseInt64(s, v) || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return def;
    return int32_t(v);
}

// Locale-independent (the program's locale may use a decimal comma).
inline bool parseFloat(const char *s, float &out)
{
    if (!s)
        return false;
    while (isBlank(*s))
        ++s;
    if (*s == '+') {
        ++s;
        if (*s == '-')
            return false;
    }
    const char *end = s;
    while (*end)
        ++end;
    while (end > s && isBlank(end[-1]))
        --end;
    if (end == s)
        return false;
    float v = 0;
    auto r = std::from_chars(s, end, v);
    if (r.ec != std::errc() || r.ptr != end)
        return false;
    out = v;
    return true;
}

inline float toFloat(const char *s, float def)
{
    float v;
    return parseFloat(s, v) ? v : def;
}

} // namespace iodd_numbers
