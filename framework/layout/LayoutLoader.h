// Loading the layout document into a toolband: locate it through the tab
// context, parse it, merge in the stored copy of the user's choices and
// write the merged text back, then build the control tree.
//
// A layout that cannot be read still gives a toolbar: one label saying what
// went wrong. Only an empty location or a document without a toolband root
// (in the toolband namespace) gives none.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/xml/XmlDocument.h"

namespace framework {

class CommandContainerI;
class ToolBandI;

// Creates the parser document (CoCreateInstance of the DOM); null when the
// parser is not available.
using XmlDocumentFactory = std::function<std::shared_ptr<platform::XmlDocument>()>;

// The directory part of a layout location: the text before the later of
// the last "/" and the last "\", without a leading "file://". nullopt when
// there is no separator past the first character.
std::optional<std::string> BaseDirectoryOf(std::string_view location);

// "Can't find XML document %s." and "Unable to parse XML document %s.",
// formatted into a 2048-byte buffer: at most 2047 characters are kept.
// When the parser said why, the reason goes in parentheses before the full
// stop, after the line and column where it stopped when it knew them:
// "Unable to parse XML document C:\x.xml (line 4, column 2: ...)." A
// person fixing the layout needs the place; "can't find" says the file is
// missing, "unable to parse" that its bytes are wrong.
std::string CannotFindMessage(std::string_view location, std::string_view reason = {});
std::string CannotParseMessage(std::string_view location,
                               const platform::XmlParseError& error = {});

// True when a toolbar (possibly just the error label) was built; false when
// the toolband must be given up.
bool LoadLayout(ToolBandI& toolband, CommandContainerI& context,
                const XmlDocumentFactory& createDocument = platform::XmlDocument::Create);

}  // namespace framework
