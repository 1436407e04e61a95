#include "startup/batch_action.h"
#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(BatchAction, PrintWinsOverMailAndMailOverFax) {
    const struct {
        bool print;
        bool mail;
        bool fax;
        BatchAction expected;
    } cases[] = {
        {false, false, false, BatchAction::None}, {true, true, true, BatchAction::Print},
        {false, true, true, BatchAction::EMail},  {false, false, true, BatchAction::Fax},
        {true, false, false, BatchAction::Print},
    };
    for (const auto& c : cases) {
        StartupRequest request;
        request.printRequested = c.print;
        request.mailRequested = c.mail;
        request.faxRequested = c.fax;
        EXPECT_EQ(ChooseBatchAction(request), c.expected) << c.print << c.mail << c.fax;
    }
}

} // namespace
} // namespace velk
