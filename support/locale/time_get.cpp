#include "support/locale/time_get.h"

namespace Tev {
namespace {

using Iterator = std::istreambuf_iterator<wchar_t>;

// Reads one or two decimal digits as a number no greater than `maximum`; -1 when there are
// none or the number is too large.
int ReadNumber(Iterator& at, const Iterator& end, int maximum) {
    int value = 0;
    int digits = 0;
    while (digits < 2 && at != end && *at >= L'0' && *at <= L'9') {
        value = value * 10 + (*at - L'0');
        ++digits;
        ++at;
    }
    return digits == 0 || value > maximum ? -1 : value;
}

bool ReadSeparator(Iterator& at, const Iterator& end) {
    if (at == end || *at != L':') {
        return false;
    }
    ++at;
    return true;
}

}  // namespace

time_getEx::iter_type time_getEx::do_get_time(iter_type begin, iter_type end, std::ios_base&,
                                              std::ios_base::iostate& state, std::tm* time) const {
    const int hours = ReadNumber(begin, end, 23);
    const int minutes = hours >= 0 && ReadSeparator(begin, end) ? ReadNumber(begin, end, 59) : -1;
    if (minutes < 0) {
        state |= std::ios_base::failbit;
    } else {
        int seconds = 0;
        if (begin != end && *begin == L':') {
            ++begin;
            seconds = ReadNumber(begin, end, 60);
        }
        if (seconds < 0) {
            state |= std::ios_base::failbit;
        } else {
            time->tm_hour = hours;
            time->tm_min = minutes;
            time->tm_sec = seconds;
        }
    }
    if (begin == end) {
        state |= std::ios_base::eofbit;
    }
    return begin;
}

time_getEx::iter_type time_getEx::do_get(iter_type begin, iter_type end, std::ios_base& stream,
                                         std::ios_base::iostate& state, std::tm* time, char format,
                                         char modifier) const {
    if ((format == 'X' || format == 'T') && (modifier == 0 || modifier == 'E')) {
        return do_get_time(begin, end, stream, state, time);
    }
    return time_get::do_get(begin, end, stream, state, time, format, modifier);
}

}  // namespace Tev
