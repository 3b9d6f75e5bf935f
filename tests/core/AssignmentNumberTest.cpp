#include "TestLocale.h"
#include "core/AssignmentNumber.h"
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <cctype>

namespace calctutor {
namespace {

struct NumberRow {
    const char* typed;
    const char* padded;
    const char* next;
};

class AssignmentNumbers : public ::testing::TestWithParam<NumberRow> {};

TEST_P(AssignmentNumbers, PadAndNext)
{
    const NumberRow& row = GetParam();
    const std::string padded = padAssignmentNumber(row.typed);
    EXPECT_EQ(padded, row.padded);
    EXPECT_EQ(nextAssignmentNumber(padded), row.next);
}

INSTANTIATE_TEST_SUITE_P(Typed, AssignmentNumbers,
                         ::testing::Values(NumberRow{"5", "005", "006"}, NumberRow{"12", "012", "013"},
                                           NumberRow{"99", "099", "100"}, NumberRow{"0005", "0005", "006"},
                                           NumberRow{"abc", "abc", "001"}, NumberRow{"7x", "07x", "008"},
                                           NumberRow{"", "", "001"}, NumberRow{"016", "016", "017"},
                                           NumberRow{" 1", "0 1", "002"}, NumberRow{"1.5", "1.5", "2.5"},
                                           NumberRow{"999", "999", "1000"}),
                         [](const auto& row) {
                             std::string name = std::string("typed_") + row.param.typed;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name + "_" + std::to_string(row.index);
                         });

TEST(LeadingNumber, ReadsTheLongestNumericStart)
{
    EXPECT_EQ(leadingNumber("7x"), 7);
    EXPECT_EQ(leadingNumber(" 1 2"), 12);
    EXPECT_EQ(leadingNumber("-3abc"), -3);
    EXPECT_EQ(leadingNumber("2.5e1"), 25);
    EXPECT_EQ(leadingNumber("2e"), 2); // an exponent without digits is not part of the number
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("."), 0);
    EXPECT_EQ(leadingNumber("5."), 5);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("\t+4"), 4);
    EXPECT_EQ(leadingNumber("1d2"), 100);
    EXPECT_EQ(leadingNumber("2D1"), 20);
    EXPECT_EQ(leadingNumber("\r\n5\r\n0"), 50);
    EXPECT_EQ(leadingNumber("3E-1x"), 0.3);
}

TEST(GeneralNumber, WholeNumbersHaveNoPointOrGrouping)
{
    EXPECT_EQ(generalNumber(50002), "50002");
    EXPECT_EQ(generalNumber(1234567), "1234567");
    EXPECT_EQ(generalNumber(-3), "-3");
    EXPECT_EQ(generalNumber(2.5), "2.5");
    EXPECT_EQ(generalNumber(0), "0");
    EXPECT_EQ(generalNumber(123456789012345), "123456789012345"); // 15 digits, no exponent
    EXPECT_EQ(generalNumber(0.1 + 0.2), "0.3");                   // but not 17
}

// The window's toolkit sets the desktop's language; numbers must still read and
// write with a point, as the records and the course have them.
TEST(NumberText, KeepsTheDecimalPointUnderACommaLanguage)
{
    testing::CommaLocale comma;
#ifdef _WIN32
    GTEST_SKIP() << "the comma language is built with glibc's localedef";
#endif
    ASSERT_TRUE(comma.active()) << "localedef could not build de_DE (Debian package locales)";
    EXPECT_EQ(leadingNumber("1.5"), 1.5);
    EXPECT_EQ(leadingNumber("+2.25e1"), 22.5);
    EXPECT_EQ(generalNumber(0.25), "0.25");
    EXPECT_EQ(generalNumber(0.1 + 0.2), "0.3");
}

} // namespace
} // namespace calctutor
