#pragma once

#include <QMetaObject>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <type_traits>
#include <utility>

namespace synopter {

// Work too long for the user-interface thread (collating the whole New
// Testament), one piece at a time on a thread of its own, its result handed
// back to the user-interface thread. Starting another piece stops the one
// running and drops its result, so what is shown is always the last asked
// for; the destructor stops and waits, so the window that owns the task can
// go at any time. The work touches no widget and must not throw.
class BackgroundTask {
public:
    // Results are delivered through `receiver`'s event loop, the window that
    // owns this task.
    explicit BackgroundTask(QObject* receiver) : receiver_(receiver) {}
    ~BackgroundTask() { Stop(); }
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    // Runs `work(goOn)` on the thread, where goOn() turns false once the work
    // is stopped; then `done(result)` on the receiver's thread, unless the
    // work was stopped meanwhile.
    template <class Work, class Done>
    void Start(Work work, Done done)
    {
        using Result = std::invoke_result_t<Work&, const std::function<bool()>&>;
        Stop();
        auto stopped = std::make_shared<std::atomic<bool>>(false);
        stopped_ = stopped;
        running_ = true;
        thread_ = std::thread([this, stopped, work = std::move(work), done = std::move(done)]() mutable {
            const std::function<bool()> goOn = [stopped] { return !stopped->load(); };
            auto result = std::make_shared<Result>(work(goOn));
            QMetaObject::invokeMethod(
                receiver_,
                [this, stopped, result, done = std::move(done)]() mutable {
                    if (stopped->load())
                        return; // dropped: stopped, or another piece started
                    Finish();
                    done(*result);
                },
                Qt::QueuedConnection);
        });
    }

    // Asks the running work to stop and waits for it; its result is dropped.
    void Stop()
    {
        if (stopped_)
            stopped_->store(true);
        Finish();
    }

    bool Running() const { return running_; }

private:
    void Finish()
    {
        if (thread_.joinable())
            thread_.join();
        running_ = false;
    }

    QObject* receiver_;
    std::thread thread_;
    std::shared_ptr<std::atomic<bool>> stopped_;
    bool running_ = false;
};

} // namespace synopter
