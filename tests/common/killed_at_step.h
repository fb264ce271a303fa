#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace synopter::test {

// Runs `work` in a child process, which is killed (SIGKILL) the moment `work`
// reports step `step` through the callback it is given, as a power cut or
// kill -9 would end it there. True when the child was killed; otherwise it
// must have run to its end without an error.
inline bool KilledAtStep(int step, const std::function<void(const std::function<void(int)>&)>& work)
{
    const pid_t child = ::fork();
    EXPECT_GE(child, 0);
    if (child == 0) {
        try {
            work([step](int s) {
                if (s == step)
                    ::raise(SIGKILL);
            });
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0);
    }
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    const bool killed = WIFSIGNALED(status);
    EXPECT_TRUE(killed || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) << "step " << step;
    return killed;
}

} // namespace synopter::test
