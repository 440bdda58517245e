// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

// Console output plus, for every benchmark X run beside a floor named
// X_Floor (the same work done by a reference tool in the same run), the
// ratio of their wall-clock times.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) times_[r.run_name.function_name] = r.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [name, t] : times_) {
            const auto floor = times_.find(name + "_Floor");
            if (floor != times_.end() && floor->second > 0)
                std::printf("ratio %s / %s: %.2f\n", name.c_str(), floor->first.c_str(), t / floor->second);
        }
    }

private:
    std::map<std::string, double> times_;
};
