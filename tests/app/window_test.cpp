// The main window as built: controls, menus, help messages, ending the program.
#include "AppFixture.h"

namespace {

using WindowTest = AppFixture;

TEST_F(WindowTest, ConstructsWithEveryControl) {
    EXPECT_EQ(form->REdit(18), form->REdit18);
    EXPECT_FALSE(form->terminated);
}

} // namespace
