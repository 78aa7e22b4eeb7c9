#include "platform/SyncWriter.h"

#include "platform/SafeFile.h"

#include <QCoreApplication>
#include <QList>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace platform {

namespace {

struct Job
{
    int fd;
    QString folder;
    std::function<void(const QString &)> done;
};

struct Report
{
    std::function<void(const QString &)> done;
    QString error;
};

class Writer
{
public:
    ~Writer()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        // The queue is drained first: a sync asked for is never dropped.
        if (m_thread.joinable())
            m_thread.join();
    }

    void add(Job job)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_thread.joinable())
            m_thread = std::thread(&Writer::run, this);
        m_jobs.push_back(std::move(job));
        ++m_pending;
        m_wake.notify_one();
    }

    void wait(bool report)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_idle.wait(lock, [this] { return m_pending == 0; });
        lock.unlock();
        deliver(report);
    }

    // Runs the reports on the calling thread (the application's), in the order of the syncs.
    void deliver(bool report = true)
    {
        QList<Report> reports;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            reports.swap(m_reports);
            m_deliveryPosted = false;
        }
        if (!report)
            return;
        for (const Report &each : reports) {
            if (each.done)
                each.done(each.error);
        }
    }

private:
    void run()
    {
        for (;;) {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            if (m_jobs.empty())
                return;
            Job job = std::move(m_jobs.front());
            m_jobs.pop_front();
            lock.unlock();

            QString error;
            const bool synced =
                syncData(job.fd, &error) && (job.folder.isEmpty() || syncFolder(job.folder, &error));
            closeFile(job.fd);

            lock.lock();
            m_reports.append({std::move(job.done), synced ? QString() : error});
            --m_pending;
            const bool post = !m_deliveryPosted;
            m_deliveryPosted = true;
            lock.unlock();
            m_idle.notify_all();
            // Without an application (its end) the reports wait for waitForSyncs.
            if (post && QCoreApplication::instance())
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(), [this] { deliver(); }, Qt::QueuedConnection);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    QList<Report> m_reports;
    int m_pending = 0;
    bool m_stopping = false;
    bool m_deliveryPosted = false;
    std::thread m_thread;
};

Writer &writer()
{
    static Writer instance;
    return instance;
}

} // namespace

void syncLater(int fd, const QString &folder, std::function<void(const QString &error)> done)
{
    writer().add({fd, folder, std::move(done)});
}

void waitForSyncs(bool report)
{
    writer().wait(report);
}

} // namespace platform
