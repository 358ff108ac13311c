// What the host shows after each step: the current window, its toolbar and
// sidebar, and what happened since the previous step (navigations the
// product asked for, requests the service received, dialogs, message boxes,
// processes), with the product's stored settings and files.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/browser/ToolbarView.h"
#include "tools/inspect/JsonWriter.h"

namespace browserhost {

struct NavigationState {
  std::string url;
  bool newWindow = false;
};

struct ProcessState {
  std::string path;
  std::string arguments;
  bool started = false;
};

struct SettingState {
  std::string name;
  std::optional<std::string> value;  // nullopt: absent
};

struct HostState {
  std::string url;
  int windows = 0;
  std::vector<ControlState> toolbar;
  bool sidebarVisible = false;
  std::string sidebarHtml;
  std::vector<NavigationState> navigations;
  // SOAP operation names and web-site paths with their query; nullopt when
  // the service runs elsewhere and the host cannot see what it received.
  std::optional<std::vector<std::string>> requests;
  std::vector<std::string> dialogs;   // their titles
  std::vector<std::string> messages;  // message boxes' texts
  std::vector<ProcessState> processes;
  std::vector<SettingState> registry;
  std::optional<std::string> searchHistory;
  std::optional<std::uint64_t> categoryCacheBytes;
};

void WriteStateJson(tools::JsonWriter& json, const HostState& state);

// The whole state, indented under a step's line.
void WriteStateText(std::ostream& out, const HostState& state);
// Only what happened during the step: navigations, requests, dialogs,
// messages and processes; nothing when nothing did.
void WriteEventsText(std::ostream& out, const HostState& state);

}  // namespace browserhost
