#include "platform/qt/service_calls.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace velm {

namespace {

struct LaterCall {
    std::thread thread;
    std::atomic<bool> done{false};
    std::function<void()> then;
};

// Window thread only: the calls whose answer is wanted later, and the
// object their threads post to once done. A program that never made its
// application object still joins them as it ends.
struct LaterCalls {
    std::vector<std::unique_ptr<LaterCall>> calls;
    ~LaterCalls() { JoinAll(); }
    void JoinAll() {
        for (auto& call : calls)
            if (call->thread.joinable()) call->thread.join();
        calls.clear();
    }
};
LaterCalls& Later() {
    static LaterCalls later;
    return later;
}
QObject* g_hub = nullptr;

void TakeDoneCalls() {
    std::vector<std::unique_ptr<LaterCall>> done;
    auto& calls = Later().calls;
    for (auto it = calls.begin(); it != calls.end();) {
        if ((*it)->done) {
            (*it)->thread.join();
            done.push_back(std::move(*it));
            it = calls.erase(it);
        } else {
            ++it;
        }
    }
    // A `then` may start another call.
    for (auto& call : done)
        if (call->then) call->then();
}

QObject* Hub() {
    if (g_hub == nullptr && QCoreApplication::instance() != nullptr) {
        g_hub = new QObject;
        qAddPostRoutine(FinishServiceCalls);
    }
    return g_hub;
}

}  // namespace

void WaitForServiceCall(std::function<void()> work) {
    if (QCoreApplication::instance() == nullptr) {
        work();
        return;
    }
    std::atomic<bool> done{false};
    std::mutex mutex;
    std::condition_variable finished;
    QEventLoop loop;
    std::thread thread([&] {
        work();
        {
            const std::lock_guard<std::mutex> lock(mutex);
            done = true;
        }
        finished.notify_one();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    {
        // A service that answers does so at once: no event loop for it.
        std::unique_lock<std::mutex> lock(mutex);
        finished.wait_for(lock, std::chrono::milliseconds(30), [&] { return done.load(); });
    }
    bool cursor = false;
    QTimer slow;
    slow.setSingleShot(true);
    QObject::connect(&slow, &QTimer::timeout, [&] {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursor = true;
    });
    slow.start(200);
    if (!done) loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread.join();
    if (cursor) QApplication::restoreOverrideCursor();
}

void ServiceCallLater(std::function<void()> work, std::function<void()> then) {
    QObject* hub = Hub();
    if (hub == nullptr) {
        work();
        if (then) then();
        return;
    }
    auto call = std::make_unique<LaterCall>();
    call->then = std::move(then);
    LaterCall* running = call.get();
    Later().calls.push_back(std::move(call));
    running->thread = std::thread([running, hub, work = std::move(work)] {
        work();
        running->done = true;
        QMetaObject::invokeMethod(hub, &TakeDoneCalls, Qt::QueuedConnection);
    });
}

void FinishServiceCalls() {
    Later().JoinAll();
    delete g_hub;
    g_hub = nullptr;
}

}  // namespace velm
