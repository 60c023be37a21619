#pragma once
// The median wall time of several runs of one step, in milliseconds.

#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

inline double medianMs(int runs, const std::function<void()>& run)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        run();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
