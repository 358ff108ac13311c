// vimaru-refservice: runs the reference service as a program for the demo
// and for manual testing. Prints the port it listens on as the first line
// of standard output, then serves until SIGINT, SIGTERM or the end of
// standard input (so a parent that dies takes the service with it).
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string_view>

#include "tools/refservice/ReferenceService.h"
#include "tools/refservice/UniqueFd.h"

namespace {

constexpr char kUsage[] =
    "usage: vimaru-refservice [--data DIR] [--port N] [--ads-namespace URI]\n"
    "                         [--utils-namespace URI] [--ads-path PATH] [--utils-path PATH]\n"
    "                         [--ignore-stdin]\n";

bool ParseArguments(int argc, char** argv, refservice::ReferenceServiceOptions& options,
                    bool& watchStdin) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--ignore-stdin") {
      watchStdin = false;
      continue;
    }
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (argument == "--data") {
      options.dataDirectory = value;
    } else if (argument == "--port") {
      const std::string_view text = value;
      const auto [end, error] =
          std::from_chars(text.data(), text.data() + text.size(), options.port);
      if (error != std::errc() || end != text.data() + text.size()) return false;
    } else if (argument == "--ads-namespace") {
      options.adsNamespace = value;
    } else if (argument == "--utils-namespace") {
      options.utilsNamespace = value;
    } else if (argument == "--ads-path") {
      options.adsPath = value;
    } else if (argument == "--utils-path") {
      options.utilsPath = value;
    } else {
      return false;
    }
  }
  return true;
}

// Waits for SIGINT/SIGTERM (already blocked, delivered through `signals`)
// or, when watched, the end of standard input.
void WaitForShutdown(int signals, bool watchStdin) {
  pollfd fds[2] = {{signals, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
  char discard[512];
  while (true) {
    if (::poll(fds, watchStdin ? 2 : 1, -1) < 0) continue;
    if (fds[0].revents != 0) return;
    if (fds[1].revents != 0) {
      const ssize_t got = ::read(STDIN_FILENO, discard, sizeof discard);
      if (got <= 0) return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  refservice::ReferenceServiceOptions options;
  bool watchStdin = true;
  if (!ParseArguments(argc, argv, options, watchStdin)) {
    std::cerr << kUsage;
    return 2;
  }
  // Blocked before the service starts its threads, so they inherit the mask
  // and only the signalfd sees these signals.
  sigset_t mask;
  sigemptyset(&mask);
  sigaddset(&mask, SIGINT);
  sigaddset(&mask, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &mask, nullptr);
  refservice::UniqueFd signals(::signalfd(-1, &mask, SFD_CLOEXEC));
  if (!signals.Valid()) {
    std::perror("vimaru-refservice: signalfd");
    return 1;
  }
  try {
    refservice::ReferenceService service(options);
    std::cout << service.Port() << std::endl;
    std::cerr << "vimaru-refservice: ads " << service.AdsEndpoint() << ", utils "
              << service.UtilsEndpoint() << ", site " << service.BaseUrl() << "/" << std::endl;
    WaitForShutdown(signals.Get(), watchStdin);
    service.Stop();
    std::cerr << "vimaru-refservice: stopped after " << service.RequestCount() << " requests"
              << std::endl;
  } catch (const std::exception& error) {
    std::cerr << "vimaru-refservice: " << error.what() << std::endl;
    return 1;
  }
  return 0;
}
