#include "startup/batch_action.h"
#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(BatchAction, PrintWinsOverMailAndMailOverFax) {
    const std::tuple<bool, bool, bool, BatchAction> cases[] = {
        {false, false, false, BatchAction::None}, {true, true, true, BatchAction::Print},
        {false, true, true, BatchAction::EMail},  {false, false, true, BatchAction::Fax},
        {true, false, false, BatchAction::Print},
    };
    for (const auto& [print, mail, fax, expected] : cases) {
        StartupRequest request;
        request.printRequested = print;
        request.mailRequested = mail;
        request.faxRequested = fax;
        EXPECT_EQ(ChooseBatchAction(request), expected) << print << mail << fax;
    }
}

} // namespace
} // namespace velk
