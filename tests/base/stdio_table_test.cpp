#include "base/stdio_table.h"
#include "platform/environment.h"

#include <gtest/gtest.h>

// The variadic slots forward to the runtime; their whole argument lists must arrive.
TEST(StdioTable, RegisteredVariadicSlotsForwardTheirArguments)
{
    Register_Stdio_Table();
    ASSERT_EQ(ZAV_STDIO_FCT, &zav_stdio_table);
    EXPECT_EQ(ZAV_STDIO_FCT->count, 18);
    char buf[32];
    EXPECT_EQ(ZAV_STDIO_FCT->sprintf_fct(buf, "%s %d %.2f %x", "Zeile", 42, 1.5, 255u), 16);
    EXPECT_STREQ(buf, "Zeile 42 1.50 ff");
    int a = 0, b = 0;
    double d = 0.0;
    EXPECT_EQ(ZAV_STDIO_FCT->sscanf_fct("7 0x10 2.5", "%d %i %lf", &a, &b, &d), 3);
    EXPECT_EQ(a + b, 23);
    EXPECT_EQ(d, 2.5);
}
