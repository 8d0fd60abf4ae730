// Wide time parsing for the global stream locale.
#pragma once

#include <cstddef>
#include <ctime>
#include <ios>
#include <istream>
#include <iterator>
#include <locale>

namespace Tev {

// Time and date parsing from a named locale's data: the names of months and weekdays and the
// date order are that locale's, whatever locale the stream holds. It takes the place of the
// standard time_get facet of its character type.
template <typename CharT, typename InputIt = std::istreambuf_iterator<CharT>>
class time_get : public std::time_get_byname<CharT, InputIt> {
    using Base = std::time_get_byname<CharT, InputIt>;

public:
    using iter_type = InputIt;

    // `name` as for std::locale; the empty name is the user's locale from the environment.
    // Throws std::runtime_error when the C library does not have the locale.
    explicit time_get(const char* name, std::size_t refs = 0)
        : Base(name, refs), named_(std::locale(name)) {}

protected:
    iter_type do_get_date(iter_type begin, iter_type end, std::ios_base& stream,
                          std::ios_base::iostate& state, std::tm* time) const override {
        Named named(*this, stream);
        return Base::do_get_date(begin, end, named, state, time);
    }
    iter_type do_get_weekday(iter_type begin, iter_type end, std::ios_base& stream,
                             std::ios_base::iostate& state, std::tm* time) const override {
        Named named(*this, stream);
        return Base::do_get_weekday(begin, end, named, state, time);
    }
    iter_type do_get_monthname(iter_type begin, iter_type end, std::ios_base& stream,
                               std::ios_base::iostate& state, std::tm* time) const override {
        Named named(*this, stream);
        return Base::do_get_monthname(begin, end, named, state, time);
    }
    iter_type do_get_year(iter_type begin, iter_type end, std::ios_base& stream,
                          std::ios_base::iostate& state, std::tm* time) const override {
        Named named(*this, stream);
        return Base::do_get_year(begin, end, named, state, time);
    }
    iter_type do_get(iter_type begin, iter_type end, std::ios_base& stream,
                     std::ios_base::iostate& state, std::tm* time, char format,
                     char modifier) const override {
        Named named(*this, stream);
        return Base::do_get(begin, end, named, state, time, format, modifier);
    }

private:
    // The stream's formatting flags with the named locale: the standard parsing reads its
    // names from the locale of the stream it is given.
    class Named : public std::basic_ios<CharT> {
    public:
        Named(const time_get& facet, const std::ios_base& stream) : std::basic_ios<CharT>(nullptr) {
            this->imbue(facet.named_);
            this->flags(stream.flags());
        }
    };

    std::locale named_;
};

// The wide time facet of the global stream locale. Times ("%X", "%T" and get_time) are read
// as hours, minutes and optional seconds separated by ':', whatever the locale's own time
// format: "9:05", "09:05:30". Hours 0-23, minutes 0-59, seconds 0-60, each of one or two
// digits. Dates and the other conversions follow the named locale.
class time_getEx : public time_get<wchar_t> {
public:
    explicit time_getEx(const char* name, std::size_t refs = 0) : time_get(name, refs) {}

protected:
    iter_type do_get_time(iter_type begin, iter_type end, std::ios_base& stream,
                          std::ios_base::iostate& state, std::tm* time) const override;
    iter_type do_get(iter_type begin, iter_type end, std::ios_base& stream,
                     std::ios_base::iostate& state, std::tm* time, char format,
                     char modifier) const override;
};

}  // namespace Tev
