// The stored copy of the layout: the complete text of a layout document in
// a binary registry value, carrying the user's choice of which top-level
// items are switched off. Loading merges those choices into the shipped
// layout and writes the merged document back.
#pragma once

#include <memory>

#include "framework/command/CommandContainerI.h"
#include "platform/xml/XmlDocument.h"

namespace framework {

// Applies the parser settings every layout document is read with.
bool ApplyLayoutSettings(platform::XmlDocument& document, bool async);

// The stored copy parsed, or null when it is missing, unreadable or not a
// document (every such case means "no stored copy").
std::shared_ptr<platform::XmlDocument> ReadStoredLayout(const StoredLayoutLocation& location);

// Copies the stored `disabled` choices onto the matching top-level items of
// `layout`. Items match on element name, `command`, `caption` and `id`, all
// exact; when several stored items match, the last one wins.
void MergeStoredLayout(platform::XmlDocument& layout, platform::XmlDocument& stored);

// Writes the document's complete text as the stored copy (creating the key).
bool SaveStoredLayout(const platform::XmlDocument& layout, const StoredLayoutLocation& location);

}  // namespace framework
