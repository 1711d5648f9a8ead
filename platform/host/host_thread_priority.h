#pragma once
// Scheduling levels of worker threads, set on the calling thread by its
// nice value. Raising a level needs a privilege most users do
// not have; a refused change leaves the thread as it was.

namespace platform::host {

enum class ThreadPriority { Idle, Lowest, Lower, Normal, TimeCritical };

void setCurrentThreadPriority(ThreadPriority level);

}  // namespace platform::host
