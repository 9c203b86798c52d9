// A run that fails past the converter's own checks ends like any other failure: one
// critical box, "E", the busy pointer gone, and the caller goes on.
#include "CoordTestSupport.h"

#include "conversion/ConverterReport.h"
#include "platform/TextRules.h"

#include <gtest/gtest.h>

#include <new>

using namespace tavrelo;
using namespace tavrelo::testing;

TEST(RunGuarded, OutOfMemoryAndOverflowEndTheRunWithAMessage)
{
    const struct {
        const char* what;
        void (*fail)();
        const char* opens; // the message's first words
    } cases[] = {
        {"out of memory", [] { throw std::bad_alloc(); }, "Out of memory: "},
        {"a line past what memory holds", [] { throw std::length_error("line"); }, "Out of memory: "},
        {"a number past its integer", [] { (void)CInt(Val("32768")); }, "Overflow: "},
        {"a number past 32 bits", [] { (void)CLng(Val("1e10")); }, "Overflow: "},
    };
    for (const auto& c : cases) {
        ContextHarness harness;
        harness.ui.setBusy(true);
        RunGuarded(harness.context, c.fail);
        ASSERT_EQ(harness.ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(harness.ui.messages[0].text.rfind(c.opens, 0), 0u) << harness.ui.messages[0].text;
        EXPECT_EQ(harness.ui.messages[0].icon, MessageIcon::Critical) << c.what;
        EXPECT_EQ(harness.state.TransferStatus, "E") << c.what;
        EXPECT_FALSE(harness.ui.busy) << c.what;
    }
}
