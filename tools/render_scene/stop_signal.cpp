#include "tools/render_scene/stop_signal.h"

namespace {

StopFlag stopSignal{0};

extern "C" void RecordStopSignal(int signalNumber) {
  stopSignal.store(signalNumber, std::memory_order_relaxed);
}

}  // namespace

StopFlag* InstallStopSignals() {
  struct sigaction action {};
  action.sa_handler = RecordStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  return &stopSignal;
}
