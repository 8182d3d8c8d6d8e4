#pragma once
// Independent jobs run side by side: job(0) on the calling thread, the
// others on threads of their own, all finished before it returns. The first
// failure (in the order of the jobs) is thrown again here.

#include <functional>

void RunSideBySide(int count, const std::function<void(int job)> &job);

// How many jobs of a long task are worth running side by side on this
// machine: at most `most`, and one on a single core.
int SideBySideJobs(int most);
