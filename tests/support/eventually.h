#pragma once

#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace corvalen::testing {

// Runs the event loop until the condition holds or the time is up. A real event loop, not
// process-and-sleep: the browser engine's own tasks run on this thread and must not wait.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return condition();
}

// Lets the event loop run for a while, waking for nothing but the events themselves (a poll
// would cost the processor time that the footprint benchmark measures).
inline void runEvents(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace corvalen::testing

// Waits for the condition, then checks it with the test framework (Qt's own QTRY macros report
// to a test log that nobody reads here).
#define EXPECT_EVENTUALLY(condition, timeoutMs)                                                    \
    do {                                                                                           \
        corvalen::testing::waitUntil([&] { return static_cast<bool>(condition); }, timeoutMs);     \
        EXPECT_TRUE(condition);                                                                    \
    } while (false)

#define ASSERT_EVENTUALLY(condition, timeoutMs)                                                    \
    do {                                                                                           \
        corvalen::testing::waitUntil([&] { return static_cast<bool>(condition); }, timeoutMs);     \
        ASSERT_TRUE(condition);                                                                    \
    } while (false)

#define EXPECT_EVENTUALLY_EQ(actual, expected, timeoutMs)                                          \
    do {                                                                                           \
        corvalen::testing::waitUntil([&] { return (actual) == (expected); }, timeoutMs);           \
        EXPECT_EQ(actual, expected);                                                               \
    } while (false)

#define ASSERT_EVENTUALLY_EQ(actual, expected, timeoutMs)                                          \
    do {                                                                                           \
        corvalen::testing::waitUntil([&] { return (actual) == (expected); }, timeoutMs);           \
        ASSERT_EQ(actual, expected);                                                               \
    } while (false)
