#include "framework/layout/StoredLayout.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/layout/LayoutWords.h"
#include "framework/layout/ToolbandNamespace.h"
#include "platform/registry/RegistryKey.h"
#include "platform/trace/Trace.h"

namespace framework {

bool ApplyLayoutSettings(platform::XmlDocument& document, bool async) {
  document.SetAsync(async);
  document.SetValidateOnParse(false);
  document.SetResolveExternals(false);
  return document.SetProperty("SelectionLanguage", "XPath") &&
         document.SetProperty("SelectionNamespaces", kLayoutSelectionNamespaces);
}

std::shared_ptr<platform::XmlDocument> ReadStoredLayout(const StoredLayoutLocation& location) {
  platform::TraceScope trace("LayoutC::ReadStoredLayout");
  platform::RegistryKey key;
  if (key.Open(location.hive, location.keyPath, KEY_READ) != ERROR_SUCCESS) return nullptr;
  std::vector<std::uint8_t> bytes;
  if (key.QueryBinaryValue(location.valueName, bytes) != ERROR_SUCCESS) return nullptr;

  std::shared_ptr<platform::XmlDocument> stored = platform::XmlDocument::Create();
  if (stored == nullptr || !ApplyLayoutSettings(*stored, true)) return nullptr;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (stored->LoadBytes(text, "stored layout") != platform::XmlLoadResult::kOk) return nullptr;
  return stored;
}

void MergeStoredLayout(platform::XmlDocument& layout, platform::XmlDocument& stored) {
  platform::TraceScope trace("LayoutC::MergeStoredLayout");
  const auto layoutRoot = layout.SelectSingleNode(kLayoutRootQuery);
  const auto storedRoot = stored.SelectSingleNode(kLayoutRootQuery);
  if (!layoutRoot || !storedRoot) return;

  const std::vector<platform::XmlElement> storedItems =
      storedRoot->SelectNodes(kLayoutChildrenQuery);
  for (platform::XmlElement item : layoutRoot->SelectNodes(kLayoutChildrenQuery)) {
    const std::string name = item.Name();
    if (ElementKindOf(name) < 0) continue;
    const std::string command = item.Attribute("command");
    const std::string caption = item.Attribute("caption");
    const std::string id = item.Attribute("id");
    for (const platform::XmlElement& storedItem : storedItems) {
      if (storedItem.Name() == name && storedItem.Attribute("command") == command &&
          storedItem.Attribute("caption") == caption && storedItem.Attribute("id") == id) {
        item.SetAttribute("disabled", storedItem.Attribute("disabled"));
      }
    }
  }
}

bool SaveStoredLayout(const platform::XmlDocument& layout, const StoredLayoutLocation& location) {
  platform::TraceScope trace("LayoutC::SaveStoredLayout");
  const std::optional<std::string> text = layout.Save();
  if (!text) return false;
  platform::RegistryKey key;
  if (key.Create(location.hive, location.keyPath, KEY_READ | KEY_WRITE) != ERROR_SUCCESS) {
    return false;
  }
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text->data()),
                                            text->size());
  return key.SetBinaryValue(location.valueName, bytes) == ERROR_SUCCESS;
}

}  // namespace framework
