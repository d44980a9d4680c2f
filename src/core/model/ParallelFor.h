#pragma once

#include <cstddef>
#include <functional>

namespace zarva {

// Threads worth starting for work over this many stored values: one below a size where
// starting threads costs more than they save, else as many as the machine runs at once.
std::size_t ThreadsFor(std::size_t values);

// Runs work(i) for every i in [0, count) on up to `threads` threads, the caller's among them,
// each taking the next index when it is free. After an exception of the work no new index
// starts; the exception of the lowest index is raised again here once every thread has
// stopped. Fewer threads than asked for only make it slower.
void ParallelFor(std::size_t count, std::size_t threads, const std::function<void(std::size_t)>& work);

} // namespace zarva
