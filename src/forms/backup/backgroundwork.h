#pragma once

#include <functional>

namespace forms {

// Runs a long piece of work (a backup, a restore) on a thread of its own
// while the user-interface thread keeps painting, and returns when it is done.
// The work must touch no widget and no table of the program's own; it
// reports its progress (0 to 1) through the function it is handed, from its
// thread. On the user-interface thread, showProgress is told the latest
// figure now and then, and slow is called once when the work is still going
// after slowAfterMilliseconds (the moment to show a progress window).
class BackgroundWork
{
public:
    using Report = std::function<void(double done)>;
    using Work = std::function<void(const Report &report)>;

    static void run(const Work &work, const std::function<void(double)> &showProgress = {},
                    const std::function<void()> &slow = {}, int slowAfterMilliseconds = 1000);
};

} // namespace forms
