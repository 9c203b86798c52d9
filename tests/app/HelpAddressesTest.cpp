#include "app/HelpAddresses.h"

#include <gtest/gtest.h>

using namespace tavrelo;

TEST(WebAddressOf, HostNamesBecomeHttpAddressesAndOtherSchemesNothing)
{
    struct Case {
        const char* caption;
        const char* address;
    };
    const Case cases[] = {
        {"www.zarel.example", "http://www.zarel.example"},
        {"  support.zarel.example/manual  ", "http://support.zarel.example/manual"},
        {"localhost:8080/help", "http://localhost:8080/help"},
        {"https://www.zarel.example/", "https://www.zarel.example/"},
        {"HTTP://WWW.ZAREL.EXAMPLE", "HTTP://WWW.ZAREL.EXAMPLE"},
        {"", ""},
        {"http://", ""},
        {"file:///etc/passwd", ""},
        {"javascript:alert(1)", ""},
        {"mailto:info@zarel.example", ""},
        {":80", ""},
        {"www.zarel.example & rm -rf ~", ""},
        {"www.zarel\n.example", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WebAddressOf(c.caption), c.address) << c.caption;
}
