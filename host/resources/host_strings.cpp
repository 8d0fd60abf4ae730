// The host executable's own string table: the texts the extension loads with the null module
// (the range message of real-number edits and the regional-settings messages). The texts are
// this host's own; only their placeholders matter to the extension: 20001 takes the minimum
// for %1 and the maximum for %2.
#include "host/resources/host_strings.h"

#include "platform/module/string_table.h"

namespace resources {
namespace {

const StringTableEntry kHostStrings[] = {
    {kValueOutOfRange, u"Please enter a number from %1 to %2."},
    {20007, u"The regional settings could not be read."},
    {20008, u"The decimal separator could not be read from the regional settings."},
    {20009, u"The thousands separator could not be read from the regional settings."},
    {20010, u"The time separator could not be read from the regional settings."},
    {20011, u"The date separator could not be read from the regional settings."},
    {20012, u"The list separator could not be read from the regional settings."},
    {20013, u"The morning designator could not be read from the regional settings."},
    {20014, u"The afternoon designator could not be read from the regional settings."},
    {20015, u"The clock format could not be read from the regional settings."},
    {20016, u"The time marker position could not be read from the regional settings."},
    {20017, u"The code page could not be read from the regional settings."},
    {20018, u"The locale \"%1\" is not available; \"English\" is used instead."},
};

// Registered for the executable (the null module) while the program runs.
const ModuleStringTable kTable(nullptr, kHostStrings);

}  // namespace
}  // namespace resources
