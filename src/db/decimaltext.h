#pragma once
#include <QtGlobal>

#include <cstdint>

namespace minasel::db {

// The value of a plain decimal text ("-12", "300000", "12.50"), without going
// through QString and the locale: an optional sign, digits, and an optional
// point followed by digits. Such a text is read exactly as NullToNum reads it:
// the digits make a whole number M of at most 2^53 (exact as a double), the
// fraction digits k are at most 22 (10^k exact as a double), and M / 10^k is one
// correctly rounded division, which is the nearest double to the text, which
// is what NullToNum's conversion gives. Anything else (blanks, thousands
// separators, exponents, more digits) gives false: the caller asks NullToNum.
template <typename Char>
bool parsePlainDecimal(const Char* p, qsizetype n, double* out)
{
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr uint64_t kExact = uint64_t(1) << 53;
    qsizetype i = 0;
    bool negative = false;
    if (i < n && (p[i] == Char('-') || p[i] == Char('+'))) {
        negative = p[i] == Char('-');
        ++i;
    }
    uint64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    bool point = false;
    for (; i < n; ++i) {
        const auto c = p[i];
        if (c >= Char('0') && c <= Char('9')) {
            // 19 digits never overflow; past 2^53 the text is no longer exact here.
            if (++digits > 19)
                return false;
            mantissa = mantissa * 10 + uint64_t(c - Char('0'));
            if (point)
                ++fraction;
        } else if (c == Char('.') && !point && digits > 0) {
            point = true;
            if (i + 1 >= n)
                return false;   // "5.": the slow path
        } else {
            return false;
        }
    }
    if (digits == 0 || mantissa > kExact || fraction > 22)
        return false;
    double value = double(mantissa);
    if (fraction > 0)
        value /= kPowers[fraction];
    *out = negative ? -value : value;
    return true;
}

} // namespace minasel::db
