// Converting the C library's strftime formats into format pictures.
#include "platform/locale/format_pictures.h"

#include <gtest/gtest.h>

namespace {

using namespace locale;

TEST(FormatPictures, FieldsAndCompositesBecomePictureCodes) {
    EXPECT_EQ(PictureOf(L"%d.%m.%Y"), L"dd.MM.yyyy");
    EXPECT_EQ(PictureOf(L"%m/%d/%y"), L"MM/dd/yy");
    EXPECT_EQ(PictureOf(L"%H:%M:%S"), L"HH:mm:ss");
    EXPECT_EQ(PictureOf(L"%r"), L"hh:mm:ss tt");
    EXPECT_EQ(PictureOf(L"%T"), L"HH:mm:ss");
    EXPECT_EQ(PictureOf(L"%F"), L"yyyy-MM-dd");
    EXPECT_EQ(PictureOf(L"%A, %-d. %B %Y"), L"dddd, d. MMMM yyyy");
    EXPECT_EQ(PictureOf(L"%e %b %k:%M %Z"), L"d MMM H:mm ");
    EXPECT_EQ(PictureOf(L"%Ey %Od %10Y 100%%"), L"yy dd yyyy 100%");
}

TEST(FormatPictures, LettersAndQuotesOfLiteralTextAreQuoted) {
    EXPECT_EQ(PictureOf(L"%H h %M"), L"HH 'h' mm");
    EXPECT_EQ(PictureOf(L"%Hh%Mmin"), L"HH'h'mm'min'");
    EXPECT_EQ(PictureOf(L"%d'%m"), L"dd''''MM");
}

TEST(FormatPictures, DatePartOfADateAndTimeFormat) {
    EXPECT_EQ(DatePictureOf(L"%a %d %b %Y %T %Z"), L"ddd dd MMM yyyy");
    EXPECT_EQ(DatePictureOf(L"%a %b %e %H:%M:%S %Y"), L"ddd MMM d yyyy");
    EXPECT_EQ(DatePictureOf(L"%H:%M %d/%m/%Y"), L"dd/MM/yyyy");
    EXPECT_EQ(DatePictureOf(L"%Y-%m-%d %r"), L"yyyy-MM-dd");
    EXPECT_EQ(DatePictureOf(L"%T"), L"");
}

TEST(FormatPictures, SeparatorsAreTheTextBetweenTwoFields) {
    EXPECT_EQ(TimeSeparatorOf(L"%H.%M.%S", L":"), L".");
    EXPECT_EQ(TimeSeparatorOf(L"%r", L"?"), L":");
    EXPECT_EQ(TimeSeparatorOf(L"%Hh", L":"), L":");
    EXPECT_EQ(DateSeparatorOf(L"%Y-%m-%d", L"/"), L"-");
    EXPECT_EQ(DateSeparatorOf(L"%d. %m. %Y", L"/"), L". ");
    EXPECT_EQ(DateSeparatorOf(L"%Y", L"/"), L"/");
}

TEST(FormatPictures, ClockAndMarkerPosition) {
    EXPECT_TRUE(UsesTwentyFourHours(L"%H:%M"));
    EXPECT_TRUE(UsesTwentyFourHours(L"%T"));
    EXPECT_FALSE(UsesTwentyFourHours(L"%I:%M %p"));
    EXPECT_FALSE(UsesTwentyFourHours(L"%r"));
    EXPECT_TRUE(TimeMarkerFirst(L"%p %I:%M:%S"));
    EXPECT_FALSE(TimeMarkerFirst(L"%I:%M:%S %p"));
    EXPECT_FALSE(TimeMarkerFirst(L""));
}

}  // namespace
