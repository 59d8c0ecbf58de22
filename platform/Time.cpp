#include "platform/Time.h"

#include <QCoreApplication>
#include <chrono>
#include <thread>

namespace {
std::function<long long()> nowSource;
std::function<void(unsigned)> sleepSource;
} // namespace

void SetTimeSource(std::function<long long()> now, std::function<void(unsigned)> sleep)
{
    nowSource = std::move(now);
    sleepSource = std::move(sleep);
}

void Sleep(unsigned milliseconds)
{
    if (sleepSource)
        sleepSource(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void ProcessMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

long long MonotonicMs()
{
    if (nowSource)
        return nowSource();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

long long MonotonicUs()
{
    if (nowSource)
        return nowSource() * 1000;
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void SleepUs(long long microseconds)
{
    if (microseconds <= 0)
        return;
    if (sleepSource)
        sleepSource(unsigned((microseconds + 999) / 1000));
    else
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}
