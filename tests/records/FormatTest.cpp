#include <gtest/gtest.h>

#include "records/Format.h"

using namespace tarvo;

TEST(Format, PadNumberFillsOnTheLeft) {
    struct Case {
        std::int64_t n;
        int width;
        char fill;
        const char* text;
    };
    const Case cases[] = {
        {0, 6, ' ', "     0"},     {-40, 10, ' ', "       -40"}, {30, 7, ' ', "     30"},
        {12345, 6, '0', "012345"}, {7, 4, '0', "0007"},          {1234567, 3, ' ', "1234567"},
    };
    for (const Case& c : cases) EXPECT_EQ(PadNumber(c.n, c.width, c.fill), c.text) << c.n;
}

TEST(Format, Rating6HasTenCharactersAndAComma) {
    struct Case {
        double x;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "  0,000000"},       {-0.0, "  0,000000"},       {3.75, "  3,750000"}, {-3.75, " -3,750000"},
        {99.99, " 99,990000"},     {-99.99, "-99,990000"},     {12.5, " 12,500000"}, {0.039062, "  0,039062"},
        {2.0 / 3.0, "  0,666667"}, {-0.0000004, "  0,000000"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatRating6(c.x), c.text) << c.x;
}

TEST(Format, Fixed2RightAlignsInTheWidth) {
    struct Case {
        double x;
        int width;
        const char* text;
    };
    const Case cases[] = {
        {0.0, 0, "0,00"},
        {12.5, 10, "     12,50"},
        {-0.001, 0, "0,00"},
        {3.75, 0, "3,75"},
        {-99.99, 10, "    -99,99"},
        {2.5, 4, "2,50"},
        {1234.5, 3, "1234,50"},
        // Halves round away from zero as the number reads in decimal.
        {7.125, 0, "7,13"},
        {-7.125, 0, "-7,13"},
        {0.015, 0, "0,02"},
        {9.995, 0, "10,00"},
        {-0.004, 0, "0,00"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatFixed2(c.x, c.width), c.text) << c.x;
}

TEST(Format, RoundingToSixDecimalsIsHalfToEven) {
    // 10/256 and 30/256 are exact binary fractions whose millionths end in exactly one half.
    EXPECT_EQ(RoundHalfEven6(10.0 / 256.0), 0.039062);
    EXPECT_EQ(RoundHalfEven6(30.0 / 256.0), 0.117188);
    EXPECT_EQ(RoundHalfEven6(-10.0 / 256.0), -0.039062);
    EXPECT_EQ(RoundHalfEven6(1.0 / 3.0), 0.333333);
    EXPECT_EQ(RoundHalfEven6(2.0 / 3.0), 0.666667);
    EXPECT_EQ(RoundHalfEven6(3.75), 3.75);
}

TEST(Format, RatingsStayInsideTheLimits) {
    EXPECT_EQ(LimitRating(100.0), 99.99);
    EXPECT_EQ(LimitRating(-250.0), -99.99);
    EXPECT_EQ(LimitRating(99.99), 99.99);
    EXPECT_EQ(LimitRating(-3.5), -3.5);
}

TEST(Format, FieldsParseWithBlanksAndComma) {
    EXPECT_EQ(ParseDecimalField("  3,750000"), 3.75);
    EXPECT_EQ(ParseDecimalField("-99,990000"), -99.99);
    EXPECT_EQ(ParseDecimalField("  0,000000"), 0.0);
    EXPECT_FALSE(ParseDecimalField("  3.750000"));
    EXPECT_FALSE(ParseDecimalField("##########"));
    EXPECT_FALSE(ParseDecimalField("          "));
    EXPECT_EQ(ParseIntField("     0"), 0);
    EXPECT_EQ(ParseIntField("   -40"), -40);
    EXPECT_FALSE(ParseIntField("  4 0 "));
    EXPECT_FALSE(ParseIntField("######"));
}
