#pragma once
// Stopping a run cleanly on Ctrl-C (SIGINT) or SIGTERM: the handler only
// records the signal; the frame loop and the writers look at the record
// between frames and between rows, finish or drop what they hold, and the
// tool exits with 128 + the signal's number (130, 143).
#include <csignal>

// The tool's one piece of process-wide state: the signal that asked the run
// to stop, 0 while none has.
using StopFlag = volatile std::sig_atomic_t;

// Points SIGINT and SIGTERM at a handler that sets the flag returned.
StopFlag* InstallStopSignals();
