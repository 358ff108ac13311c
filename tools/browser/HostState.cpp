#include "tools/browser/HostState.h"

namespace browserhost {
namespace {

void WriteControlJson(tools::JsonWriter& json, const ControlState& control) {
  json.BeginObject();
  json.Key("command");
  json.AnsiString(control.command);
  json.Key("caption");
  json.AnsiString(control.caption);
  json.Key("shown");
  json.Boolean(control.shown);
  json.Key("enabled");
  json.Boolean(control.enabled);
  json.Key("checked");
  json.Boolean(control.checked);
  if (control.isMenu) {
    json.Key("children");
    json.BeginArray();
    for (const ControlState& child : control.children) WriteControlJson(json, child);
    json.EndArray();
  }
  if (control.isSearchBox) {
    json.Key("text");
    json.Utf8String(control.text);
    json.Key("items");
    json.BeginArray();
    for (const std::string& item : control.items) json.Utf8String(item);
    json.EndArray();
  }
  json.EndObject();
}

void WriteStrings(tools::JsonWriter& json, const std::vector<std::string>& strings) {
  json.BeginArray();
  for (const std::string& text : strings) json.Utf8String(text);
  json.EndArray();
}

void WriteList(std::ostream& out, const char* what, const std::vector<std::string>& items) {
  if (items.empty()) return;
  out << "    " << what << ':';
  for (const std::string& item : items) out << ' ' << item;
  out << '\n';
}

std::string ControlText(const ControlState& control) {
  std::string text = control.command.empty() ? "(separator)" : control.command;
  if (!control.caption.empty() && control.caption != " ") text += " \"" + control.caption + '"';
  if (!control.enabled) text += " disabled";
  if (control.checked) text += " checked";
  if (control.isSearchBox) {
    text +=
        " text \"" + control.text + "\", " + std::to_string(control.items.size()) + " in its list";
  }
  return text;
}

}  // namespace

void WriteStateJson(tools::JsonWriter& json, const HostState& state) {
  json.BeginObject();
  json.Key("url");
  json.Utf8String(state.url);
  json.Key("windows");
  json.Integer(state.windows);
  json.Key("toolbar");
  json.BeginArray();
  for (const ControlState& control : state.toolbar) WriteControlJson(json, control);
  json.EndArray();
  json.Key("sidebar");
  json.BeginObject();
  json.Key("visible");
  json.Boolean(state.sidebarVisible);
  json.Key("html");
  json.Utf8String(state.sidebarHtml);
  json.EndObject();
  json.Key("navigations");
  json.BeginArray();
  for (const NavigationState& navigation : state.navigations) {
    json.BeginObject();
    json.Key("url");
    json.Utf8String(navigation.url);
    json.Key("newWindow");
    json.Boolean(navigation.newWindow);
    json.EndObject();
  }
  json.EndArray();
  json.Key("requests");
  if (state.requests) {
    WriteStrings(json, *state.requests);
  } else {
    json.Null();
  }
  json.Key("dialogs");
  WriteStrings(json, state.dialogs);
  json.Key("messages");
  WriteStrings(json, state.messages);
  json.Key("processes");
  json.BeginArray();
  for (const ProcessState& process : state.processes) {
    json.BeginObject();
    json.Key("path");
    json.AnsiString(process.path);
    json.Key("arguments");
    json.AnsiString(process.arguments);
    json.Key("started");
    json.Boolean(process.started);
    json.EndObject();
  }
  json.EndArray();
  json.Key("registry");
  json.BeginObject();
  for (const SettingState& setting : state.registry) {
    json.Key(setting.name);
    if (setting.value) {
      json.AnsiString(*setting.value);
    } else {
      json.Null();
    }
  }
  json.EndObject();
  json.Key("files");
  json.BeginObject();
  json.Key("searchHistory");
  if (state.searchHistory) {
    json.AnsiString(*state.searchHistory);
  } else {
    json.Null();
  }
  json.Key("categoryCacheBytes");
  if (state.categoryCacheBytes) {
    json.Integer(static_cast<std::int64_t>(*state.categoryCacheBytes));
  } else {
    json.Null();
  }
  json.EndObject();
  json.EndObject();
}

void WriteEventsText(std::ostream& out, const HostState& state) {
  std::vector<std::string> navigations;
  for (const NavigationState& navigation : state.navigations) {
    navigations.push_back(navigation.url + (navigation.newWindow ? " (new window)" : ""));
  }
  WriteList(out, "the product navigated to", navigations);
  if (state.requests) WriteList(out, "the service received", *state.requests);
  WriteList(out, "dialogs", state.dialogs);
  for (const std::string& message : state.messages) out << "    message box: " << message << '\n';
  for (const ProcessState& process : state.processes) {
    out << "    " << (process.started ? "started " : "could not start ") << process.path;
    if (!process.arguments.empty()) out << ' ' << process.arguments;
    out << '\n';
  }
}

void WriteStateText(std::ostream& out, const HostState& state) {
  out << "    window " << state.url << " (" << state.windows << " open)\n";
  std::string hidden;
  for (const ControlState& control : state.toolbar) {
    if (!control.shown) {
      hidden += (hidden.empty() ? "" : ", ") + control.command;
      continue;
    }
    out << "    [" << ControlText(control) << "]\n";
    for (const ControlState& child : control.children) {
      if (child.shown && !child.command.empty()) out << "        " << ControlText(child) << '\n';
    }
  }
  if (!hidden.empty()) out << "    hidden: " << hidden << '\n';
  out << "    sidebar: "
      << (state.sidebarVisible
              ? "shown, " + std::to_string(state.sidebarHtml.size()) + " bytes of HTML"
              : std::string("hidden"))
      << '\n';
  out << "    settings:";
  for (const SettingState& setting : state.registry) {
    out << ' ' << setting.name << '=' << (setting.value ? '"' + *setting.value + '"' : "(none)");
  }
  out << '\n';
  if (state.searchHistory) {
    std::size_t lines = 0;
    for (char c : *state.searchHistory) lines += c == '\n';
    out << "    search history: " << lines << (lines == 1 ? " entry\n" : " entries\n");
  }
  if (state.categoryCacheBytes) {
    out << "    category cache: " << *state.categoryCacheBytes << " bytes\n";
  }
  WriteEventsText(out, state);
}

}  // namespace browserhost
