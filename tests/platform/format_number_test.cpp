#include "platform/format_number.h"

#include <gtest/gtest.h>
#include <string>

TEST(FormatNumber, FieldsDecimalsAndOptions) {
    EXPECT_EQ(Format_Number_Text(12.5, 7, 2, 0, 0), "  12.50");
    EXPECT_EQ(Format_Number_Text(-3.25, 3, 2, 0, 0), "-3.25");          // wider than the field
    EXPECT_EQ(Format_Number_Text(-0.004, 6, 2, 0, 0), "  0.00");        // no sign on zero
    EXPECT_EQ(Format_Number_Text(-0.4, 3, 0, 0, 0), "  0");
    EXPECT_EQ(Format_Number_Text(7.0, 4, 0, 0, FORMAT_NUMBER_TRIM_ZEROS), "   7");
    EXPECT_EQ(Format_Number_Text(1.50, 6, 2, 0, FORMAT_NUMBER_TRIM_ZEROS), "   1.5");
    EXPECT_EQ(Format_Number_Text(2.0, 6, 2, 0, FORMAT_NUMBER_TRIM_ZEROS | FORMAT_NUMBER_NO_PAD), "2");
    EXPECT_EQ(Format_Number_Text(10.0, 6, 2, 0, FORMAT_NUMBER_TRIM_ZEROS | FORMAT_NUMBER_NO_PAD), "10");

    // The factor texts of the load combinations: no padding, no trailing zeros, at most
    // five significant digits.
    EXPECT_EQ(Format_Number_Text(1.35, 20, 2, 5, 0x372), "1.35");
    EXPECT_EQ(Format_Number_Text(1.0, 20, 2, 5, 0x372), "1");
    EXPECT_EQ(Format_Number_Text(1234.567, 20, 2, 5, 0x372), "1234.6");
    EXPECT_EQ(Format_Number_Text(123456.7, 20, 2, 5, 0x372), "123457");
    EXPECT_EQ(Format_Number_Text(0.005, 20, 2, 5, 0x372), "0.01");

    // Odd arguments stay harmless.
    EXPECT_EQ(Format_Number_Text(1.0, -5, -2, 0, 0), "1");
    EXPECT_EQ(Format_Number_Text(1.0, 5000, 40, 0, FORMAT_NUMBER_NO_PAD).size(), 17u);
}

TEST(FormatNumber, BufferForm) {
    char buffer[8];
    EXPECT_EQ(formatNumber(buffer, sizeof buffer, 3.5, 5, 1, 0, 0), 5);
    EXPECT_STREQ(buffer, "  3.5");
    EXPECT_EQ(formatNumber(buffer, sizeof buffer, 123456.75, 0, 2, 0, 0), -1);  // needs 10 bytes
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(formatNumber(nullptr, 8, 1.0, 0, 0, 0, 0), -1);
    EXPECT_EQ(formatNumber(buffer, 0, 1.0, 0, 0, 0, 0), -1);
}
