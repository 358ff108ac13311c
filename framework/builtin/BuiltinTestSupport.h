// Test support for the built-in commands: a tab context that knows only the
// commands a test registers with it and answers a chosen layout location,
// and layout elements made from one line of XML.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "framework/command/CommandC.h"
#include "framework/command/CommandContainerI.h"
#include "platform/xml/XmlDocument.h"

namespace framework::testing {

class FakeTabContext : public CommandContainerI {
 public:
  // A plain command under `name` whose text is `text`.
  CommandC& AddTextCommand(const std::string& name, const std::string& text) {
    auto command = std::make_unique<CommandC>(name);
    command->SetText(text);
    CommandC& added = *command;
    commands_[name] = std::move(command);
    return added;
  }
  void Add(CommandC* command) { borrowed_[command->Name()] = command; }

  CommandI* FindCommand(const std::string& name) override {
    if (auto found = borrowed_.find(name); found != borrowed_.end()) return found->second;
    auto found = commands_.find(name);
    return found == commands_.end() ? nullptr : found->second.get();
  }
  CommandC* CreateCommandInstance(const std::string&, const std::string&) override {
    return nullptr;
  }
  std::string LayoutLocation() override { return layoutLocation; }
  StoredLayoutLocation GetStoredLayoutLocation() override { return {}; }
  std::string BandClassIdText() override { return {}; }
  std::string ElevationPolicyIdText() override { return elevationPolicyId; }

  std::string layoutLocation;
  std::string elevationPolicyId;

 private:
  std::map<std::string, std::unique_ptr<CommandC>> commands_;
  std::map<std::string, CommandC*> borrowed_;
};

// The document element of `xml`; the document stays alive with the result.
struct LayoutElement {
  explicit LayoutElement(std::string_view xml) : document(platform::XmlDocument::Create()) {
    EXPECT_EQ(document->LoadBytes(xml), platform::XmlLoadResult::kOk);
  }
  platform::XmlElement Element() { return *document->DocumentElement(); }

  std::shared_ptr<platform::XmlDocument> document;
};

}  // namespace framework::testing
