// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SingleInstance.h"

#include "support/Patience.h"
#include "support/TempDir.h"

#include <QLockFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

QString directoryOf(const TempDir& dir) {
    return QString::fromStdString(dir.path().string());
}

// The later start runs on a thread of its own, as it would in a process of its own, so the
// first instance can answer on this thread's event loop.
bool activateFromAnotherStart(const QString& directory) {
    std::atomic<bool> done{false};
    bool answered = false;
    std::thread later([&] {
        SingleInstance second(directory);
        answered = !second.claim() && second.activateFirstInstance(kPatienceMs);
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, kPatienceMs));
    later.join();
    return answered;
}

TEST(SingleInstanceTest, LaterStartsAreRefusedAndAskTheFirstToComeForwardUntilItEnds) {
    TempDir dir;
    {
        SingleInstance first(directoryOf(dir));
        ASSERT_TRUE(first.claim());
        QSignalSpy activations(&first, &SingleInstance::activationRequested);
        EXPECT_TRUE(activateFromAnotherStart(directoryOf(dir)));
        EXPECT_TRUE(activateFromAnotherStart(directoryOf(dir))) << "and again";
        EXPECT_EQ(activations.count(), 2);

        SingleInstance second(directoryOf(dir));
        EXPECT_FALSE(second.claim());
        // The first instance's thread is busy and never runs its event loop.
        EXPECT_FALSE(second.activateFirstInstance(300)) << "a first that does not answer";
    }
    EXPECT_TRUE(SingleInstance(directoryOf(dir)).claim());
}

#ifndef _WIN32
TEST(SingleInstanceTest, LockLeftByACrashedInstanceIsTakenOver) {
    TempDir dir;
    const pid_t crashed = fork();
    ASSERT_NE(crashed, -1);
    if (crashed == 0) {
        QLockFile lock(QString::fromStdString((dir / "yelpcue.lock").string()));
        lock.tryLock(0);
        writeFile(dir / "yelpcue.socket", "");
        raise(SIGKILL);
    }
    int status = 0;
    waitpid(crashed, &status, 0);
    ASSERT_TRUE(std::filesystem::exists(dir / "yelpcue.lock"));

    SingleInstance next(directoryOf(dir));
    ASSERT_TRUE(next.claim());
    EXPECT_TRUE(activateFromAnotherStart(directoryOf(dir))) << "and it answers later starts";
}
#endif

} // namespace
