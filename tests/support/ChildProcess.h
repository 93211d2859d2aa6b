#pragma once
// Runs a piece of a test in a forked copy of the test process, so that a
// regression that blocks (an open that waits forever) or kills the process
// (a signal) fails the test instead of hanging or ending the suite.
#include <functional>
#include <optional>

struct ChildOutcome {
    bool finished = false;  // false: still running at the time limit (then killed)
    bool exited = false;    // ended through exit, with code
    int code = -1;
    int signal = 0;         // the signal that ended it, when not exited
};

// body runs in the child; its result is the child's exit code. The limit is
// generous: tests share a loaded machine.
ChildOutcome RunInChildProcess(const std::function<int()>& body, int timeLimitMs = 60000);
