// The Linux saver's entry point: the options, the log, the window, the show.
#include <cstdio>
#include <string>

#include "base/log_file.h"
#include "x11/options.h"
#include "x11/user_paths.h"
#include "x11/x_window.h"

int main(int argc, char** argv) {
  LinuxOptions options;
  std::string error;
  if (!parseOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "zorbel: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(usageText("zorbel").c_str(), stdout);
    return 0;
  }
  installEndSignals();
  XWindowScreen window;
  if (!window.open(options, &error)) {
    std::fprintf(stderr, "zorbel: %s\n", error.c_str());
    return 1;
  }
  LoopHandlers handlers;
  int status = window.run(handlers);
  window.close();
  return status;
}
