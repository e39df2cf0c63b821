#pragma once
// Stopping a run cleanly on Ctrl-C (SIGINT) or SIGTERM: the handler only
// records the signal; the frame loop and the writers look at the record
// between frames and between rows, finish or drop what they hold, and the
// tool exits with 128 + the signal's number (130, 143).
#include <atomic>
#include <csignal>

// The tool's one piece of process-wide state: the signal that asked the run
// to stop, 0 while none has. A lock-free atomic, so that the handler may set
// it and the frame loop and the writer threads may all read it.
using StopFlag = std::atomic<std::sig_atomic_t>;
static_assert(StopFlag::is_always_lock_free,
              "a signal handler may only touch lock-free atomics");

// Points SIGINT and SIGTERM at a handler that sets the flag returned.
StopFlag* InstallStopSignals();
