// vimaru-browser: the stand-in browser that loads the product as Internet
// Explorer does and plays a browsing session from a script (README,
// "The browser host").
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/browser/BrowserHost.h"
#include "tools/browser/HostScript.h"
#include "tools/inspect/JsonWriter.h"

namespace {

constexpr char kPrompt[] = "vimaru-browser> ";

constexpr std::string_view kUsage =
    "usage: vimaru-browser [SCRIPT|-] [--root DIR] [--service URL] [--out DIR] [--json]\n";

struct CommandLine {
  std::string script = "-";
  browserhost::HostOptions options;
  bool json = false;
};

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string_view>& args,
                                            std::string& error) {
  CommandLine line;
  bool scriptGiven = false;
  for (std::size_t at = 0; at < args.size(); ++at) {
    const std::string_view arg = args[at];
    if (arg == "--json") {
      line.json = true;
      continue;
    }
    if (arg == "--root" || arg == "--service" || arg == "--out") {
      if (at + 1 == args.size()) {
        error = std::string(arg) + " needs a value";
        return std::nullopt;
      }
      const std::string value(args[++at]);
      if (arg == "--root") line.options.root = value;
      if (arg == "--service") line.options.service = value;
      if (arg == "--out") line.options.out = value;
      continue;
    }
    if (arg.size() > 1 && arg.front() == '-') {
      error = "unknown option " + std::string(arg);
      return std::nullopt;
    }
    if (scriptGiven) {
      error = "one script at a time";
      return std::nullopt;
    }
    line.script = std::string(arg);
    scriptGiven = true;
  }
  return line;
}

void WriteJsonStep(std::ostream& out, const browserhost::ScriptStep& step,
                   const browserhost::StepOutcome& outcome) {
  tools::JsonWriter json(out, tools::JsonWriter::Layout::kOneLine);
  json.BeginObject();
  json.Key("line");
  json.Integer(step.line);
  json.Key("step");
  json.Utf8String(step.text);
  json.Key("result");
  if (outcome.registration) {
    json.Integer(*outcome.registration);
  } else {
    json.Utf8String(outcome.result);
  }
  if (!outcome.files.empty()) {
    json.Key("files");
    json.BeginArray();
    for (const std::string& file : outcome.files) json.Utf8String(file);
    json.EndArray();
  }
  json.Key("state");
  browserhost::WriteStateJson(json, outcome.state);
  json.EndObject();
}

void WriteTextStep(std::ostream& out, const browserhost::ScriptStep& step,
                   const browserhost::StepOutcome& outcome) {
  out << step.line << ": " << step.text;
  if (outcome.result != "ok") out << "  -- " << outcome.result;
  out << '\n';
  if (std::holds_alternative<browserhost::StateStep>(step.action)) {
    browserhost::WriteStateText(out, outcome.state);
  } else {
    browserhost::WriteEventsText(out, outcome.state);
  }
  for (const std::string& file : outcome.files) out << "    wrote " << file << '\n';
}

// Runs the step and writes what it did; true when it failed.
bool PlayStep(browserhost::BrowserHost& host, const browserhost::ScriptStep& step, bool json) {
  const browserhost::StepOutcome outcome = host.Run(step);
  if (json) {
    WriteJsonStep(std::cout, step, outcome);
  } else {
    WriteTextStep(std::cout, step, outcome);
  }
  std::cout.flush();
  return outcome.result != "ok";
}

int Finish(browserhost::BrowserHost& host, bool failed) {
  if (!host.Keep()) {
    std::cerr << "vimaru-browser: cannot keep the registry in the root\n";
    return 1;
  }
  return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  std::string error;
  std::optional<CommandLine> line = ParseCommandLine(args, error);
  if (!line) {
    std::cerr << "vimaru-browser: " << error << '\n' << kUsage;
    return 2;
  }

  line->options.builtModule = VIMARU_SERVER_MODULE;
  // A person at a terminal plays the browser a line at a time: each line
  // runs as it is typed, and a mistyped one is said and skipped.
  if (line->script == "-" && isatty(STDIN_FILENO)) {
    browserhost::BrowserHost host(line->options);
    if (!host.Ready()) {
      std::cerr << "vimaru-browser: " << host.Error() << '\n';
      return 1;
    }
    bool failed = false;
    int number = 0;
    std::cerr << kPrompt;
    for (std::string typed; std::getline(std::cin, typed); std::cerr << kPrompt) {
      ++number;
      std::istringstream one(typed);
      browserhost::ParsedScript parsed = browserhost::ParseHostScript(one);
      if (parsed.error) {
        std::cerr << "vimaru-browser: line " << number << ": " << parsed.error->message << '\n';
        continue;
      }
      for (browserhost::ScriptStep& step : parsed.steps) {
        step.line = number;
        failed = PlayStep(host, step, line->json) || failed;
      }
    }
    return Finish(host, failed);
  }

  std::ifstream file;
  if (line->script != "-") {
    file.open(line->script);
    if (!file) {
      std::cerr << "vimaru-browser: cannot read " << line->script << '\n';
      return 2;
    }
  }
  const browserhost::ParsedScript script =
      browserhost::ParseHostScript(line->script == "-" ? std::cin : file);
  if (script.error) {
    std::cerr << "vimaru-browser: line " << script.error->line << ": " << script.error->message
              << '\n';
    return 2;
  }

  browserhost::BrowserHost host(line->options);
  if (!host.Ready()) {
    std::cerr << "vimaru-browser: " << host.Error() << '\n';
    return 1;
  }
  bool failed = false;
  for (const browserhost::ScriptStep& step : script.steps) {
    failed = PlayStep(host, step, line->json) || failed;
  }
  return Finish(host, failed);
}
