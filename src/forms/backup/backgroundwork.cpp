#include "forms/backup/backgroundwork.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

namespace forms {

void BackgroundWork::run(const Work &work, const std::function<void(double)> &showProgress,
                         const std::function<void()> &slow, int slowAfterMilliseconds)
{
    std::atomic<int> permille{0};
    std::unique_ptr<QThread> thread(QThread::create([&work, &permille] {
        work([&permille](double done) { permille = int(done * 1000.0); });
    }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer tick;
    tick.setInterval(100);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (showProgress)
            showProgress(permille / 1000.0);
    });
    QTimer late;
    late.setSingleShot(true);
    QObject::connect(&late, &QTimer::timeout, &loop, [&] {
        if (slow)
            slow();
    });
    tick.start();
    late.start(slowAfterMilliseconds);
    thread->start();
    loop.exec();
    thread->wait();
    if (showProgress)
        showProgress(permille / 1000.0);
}

} // namespace forms
