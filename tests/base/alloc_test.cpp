#include "base/alloc.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(Allocation, BehavesLikeTheStandardFunctions)
{
    MEM_FREE(nullptr);  // nothing happens

    char* p = static_cast<char*>(MEM_REALLOC(nullptr, 8));  // null block: a fresh one
    ASSERT_NE(p, nullptr);
    std::strcpy(p, "Konsole");
    p = static_cast<char*>(MEM_REALLOC(p, 64));
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(p, "Konsole");
    MEM_FREE(p);

    unsigned char* z = static_cast<unsigned char*>(MEM_CALLOC(16, 4));
    ASSERT_NE(z, nullptr);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(z[i], 0);
    MEM_FREE(z);

    char* d = MEM_STRDUP("Tr\x84gerkonsole");
    ASSERT_NE(d, nullptr);
    EXPECT_STREQ(d, "Tr\x84gerkonsole");
    MEM_FREE(d);
    EXPECT_EQ(MEM_STRDUP(nullptr), nullptr);
}

TEST(AllocationDeathTest, OutOfMemoryEndsTheSessionWithCodeZero)
{
    // The three lines reach standard error (converted from code page 850 at the edge).
    EXPECT_EXIT(Abort_Out_Of_Memory(), testing::ExitedWithCode(0),
                "Speicherkapazit\xC3\xA4t, die\nvom Rechner zur Zeit nicht zur Verf\xC3\xBCgung "
                "gestellt\nwird. Die Sitzung mu\xC3\x9F leider abgebrochen werden.");
}
