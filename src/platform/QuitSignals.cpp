// SIGTERM and SIGINT caught into an atomic flag: the handler itself does nothing else.
#include "platform/QuitSignals.h"

#include <csignal>

namespace platform {

namespace {

volatile std::sig_atomic_t quitSignalled = 0;

void OnQuitSignal(int) {
  quitSignalled = 1;
}

}  // namespace

void InstallQuitSignals() {
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool QuitSignalled() {
  return quitSignalled != 0;
}

}  // namespace platform
