// One long pass at a time: what a pass refuses, and what waits for its end.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "RecordingView.h"

namespace sorvane {
namespace {

using ::testing::ElementsAre;

TEST(PassRunnerTest, ASecondPassIsRefusedAndWaitingWorkRunsOnceAfterTheFirst) {
    test::RecordingView view;
    PassRunner other(view.gate, view);
    std::vector<std::string> log;
    const bool ran = view.runner.Run(PassRunner::Kind::kStoppable, [&] {
        EXPECT_TRUE(view.runner.Running() && view.busy);
        EXPECT_FALSE(other.Run(PassRunner::Kind::kAction, [&] { log.push_back("nested"); }));
        EXPECT_EQ(view.status, kPassBusyStatus);
        for (int tick = 0; tick < 3; ++tick) {
            view.gate.RunWhenIdle("clean", [&] { log.push_back("clean"); });
        }
        view.gate.RunWhenIdle("check", [&] {
            // Work that waited may run a pass of its own.
            EXPECT_TRUE(other.Run(PassRunner::Kind::kAction, [&] { log.push_back("check"); }));
        });
        view.gate.StopAll();
        EXPECT_FALSE(view.runner.Running());
        log.push_back("scan");
    });
    EXPECT_TRUE(ran);
    EXPECT_THAT(log, ElementsAre("scan", "clean", "check"));
    EXPECT_FALSE(view.busy);
}

TEST(PassRunnerTest, AFailingPassLeavesTheWindowIdleAndTheGateOpen) {
    test::RecordingView view;
    EXPECT_THROW(view.runner.Run(PassRunner::Kind::kStoppable,
                                 [] { throw std::runtime_error("disk gone"); }),
                 std::runtime_error);
    EXPECT_FALSE(view.runner.Active());
    EXPECT_FALSE(view.busy);
    EXPECT_TRUE(view.runner.CanRun());
}

}  // namespace
}  // namespace sorvane
