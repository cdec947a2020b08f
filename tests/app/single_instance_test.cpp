#include "app/single_instance.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "support/temp_folder.h"

namespace tq370::test {
namespace {

TEST(SingleInstance, ALaterStartFindsTheFirstAndAsksItToComeToTheFront) {
    TempFolder folder;
    SingleInstance first(folder.path());
    int raised = 0;
    first.onRaiseRequest([&] { ++raised; });
    ASSERT_EQ(first.claim(), SingleInstance::Claim::First);

    SingleInstance second(folder.path());
    EXPECT_EQ(second.claim(), SingleInstance::Claim::AlreadyRuns);
    for (int i = 0; i < 100 && raised == 0; ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(raised, 1);
}

TEST(SingleInstance, AStartAfterTheFirstEndedRunsAlthoughTheSocketFileStayed) {
    TempFolder folder;
    {
        SingleInstance first(folder.path());
        ASSERT_EQ(first.claim(), SingleInstance::Claim::First);
    }
    SingleInstance next(folder.path());
    EXPECT_EQ(next.claim(), SingleInstance::Claim::First);
}

TEST(SingleInstance, WithoutAUsableFolderTheProgramRunsUnguarded) {
    SingleInstance instance("/nonexistent/tq370-test-folder");
    EXPECT_EQ(instance.claim(), SingleInstance::Claim::Unguarded);
}

}  // namespace
}  // namespace tq370::test
