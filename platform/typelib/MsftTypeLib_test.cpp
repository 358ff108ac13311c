#include "platform/typelib/MsftTypeLib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/typelib/TypeLibLimits.h"

namespace platform {
namespace {

std::string ReadTestLibrary() {
  std::ifstream file(VIMARU_TEST_TYPELIB, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void Poke32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

std::uint32_t Peek32(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return value;
}

// Offsets the widl layout puts things at: the segment directory after the
// header and the type offsets, and the type records in segment 0.
std::size_t SegmentEntry(const std::string& bytes, std::size_t segment) {
  return 0x54 + 4 * Peek32(bytes, 0x20) + 16 * segment;
}
std::size_t TypeRecord(const std::string& bytes, std::size_t index) {
  return Peek32(bytes, SegmentEntry(bytes, 0)) + index * 0x64;
}

const MsftTypeInfo* FindType(const MsftTypeLib& library, std::string_view name) {
  for (const MsftTypeInfo& type : library.types) {
    if (type.name == name) return &type;
  }
  return nullptr;
}

TEST(MsftTypeLib, ReadsTheLibraryAndItsTypes) {
  const auto library = ReadMsftTypeLib(ReadTestLibrary());
  ASSERT_TRUE(library);
  EXPECT_EQ(library->libid, MakeGuid("11111111-0000-0000-0000-000000000010"));
  EXPECT_EQ(library->name, "TESTLib");
  EXPECT_EQ(library->helpString, "Test Library 2.10");
  EXPECT_EQ(library->helpFile, "test.hlp");
  EXPECT_EQ(library->majorVersion, 2);
  EXPECT_EQ(library->minorVersion, 10);
  EXPECT_EQ(library->lcid, 0u);
  EXPECT_EQ(library->syskind, SYS_WIN32);

  const MsftTypeInfo* dual = FindType(*library, "IDualThing");
  ASSERT_TRUE(dual);
  EXPECT_EQ(dual->kind, TKIND_DISPATCH);
  EXPECT_EQ(dual->guid, MakeGuid("11111111-0000-0000-0000-000000000001"));
  EXPECT_EQ(dual->docString, "Dual Interface");
  EXPECT_EQ(dual->flags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE),
            TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE);

  const MsftTypeInfo* automation = FindType(*library, "IAutomationThing");
  ASSERT_TRUE(automation);
  EXPECT_EQ(automation->kind, TKIND_INTERFACE);
  EXPECT_NE(automation->flags & TYPEFLAG_FOLEAUTOMATION, 0);

  const MsftTypeInfo* plain = FindType(*library, "IPlainThing");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->kind, TKIND_INTERFACE);
  EXPECT_EQ(plain->flags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION), 0);

  const MsftTypeInfo* thing = FindType(*library, "Thing");
  ASSERT_TRUE(thing);
  EXPECT_EQ(thing->kind, TKIND_COCLASS);
  EXPECT_EQ(thing->docString, "Thing Class");
  EXPECT_NE(thing->flags & TYPEFLAG_FCANCREATE, 0);
  ASSERT_EQ(thing->implementedTypes.size(), 2u);
  const std::pair<const MsftTypeInfo*, INT> expected[] = {
      {dual, IMPLTYPEFLAG_FDEFAULT},
      {automation, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE},
  };
  for (std::size_t i = 0; i < 2; ++i) {
    const auto index = MsftLocalTypeIndex(*library, thing->implementedTypes[i].reference);
    ASSERT_TRUE(index) << i;
    EXPECT_EQ(&library->types[*index], expected[i].first) << i;
    EXPECT_EQ(thing->implementedTypes[i].flags, expected[i].second) << i;
  }
}

// widl leaves bytes past the last segment that nothing refers to; a cut
// anywhere before the end of the segments loses something the reader needs.
TEST(MsftTypeLib, RejectsEveryTruncationIntoTheSegments) {
  const std::string bytes = ReadTestLibrary();
  ASSERT_TRUE(ReadMsftTypeLib(bytes));
  std::size_t segmentsEnd = 0;
  for (std::size_t segment = 0; segment < 15; ++segment) {
    const auto offset = static_cast<std::int32_t>(Peek32(bytes, SegmentEntry(bytes, segment)));
    const std::uint32_t length = Peek32(bytes, SegmentEntry(bytes, segment) + 4);
    if (offset >= 0) segmentsEnd = std::max<std::size_t>(segmentsEnd, offset + length);
  }
  ASSERT_GT(segmentsEnd, bytes.size() / 2);
  for (std::size_t size = 0; size < segmentsEnd; ++size) {
    EXPECT_FALSE(ReadMsftTypeLib(bytes.substr(0, size))) << size;
  }
}

TEST(MsftTypeLib, RejectsOffsetsOutOfRange) {
  const std::string original = ReadTestLibrary();
  const struct {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
  } cases[] = {
      {"signature", 0, 0x5446534E},
      {"format version", 4, 0x00010003},
      {"system kind", 0x14, 0x4F},
      {"type count past the file", 0x20, 0x7FFFFFFF},
      {"library GUID", 0x08, 0x7FFFFFF0},
      {"library GUID negative", 0x08, 0xFFFFFFFE},
      {"library name", 0x38, 0x00100000},
      {"help string", 0x24, 0x80000000},
      {"name segment past the file", SegmentEntry(original, 7), 0x00FFFFFF},
      {"name segment length", SegmentEntry(original, 7) + 4, 0x7FFFFFFF},
      {"string segment negative length", SegmentEntry(original, 8) + 4, 0xFFFFFFF0},
      {"type kind", TypeRecord(original, 0), 0x0F},
      {"type name", TypeRecord(original, 0) + 0x34, 0x0000FFF0},
      {"type GUID", TypeRecord(original, 0) + 0x2C, 0x0000FFF0},
      {"type doc string", TypeRecord(original, 0) + 0x3C, 0x0000FFF0},
  };
  for (const auto& c : cases) {
    std::string bytes = original;
    Poke32(bytes, c.offset, c.value);
    EXPECT_FALSE(ReadMsftTypeLib(bytes)) << c.what;
  }
}

TEST(MsftTypeLib, BoundsAReferenceChainThatLoops) {
  std::string bytes = ReadTestLibrary();
  const auto library = ReadMsftTypeLib(bytes);
  ASSERT_TRUE(library);
  std::size_t coclass = 0;
  while (library->types[coclass].kind != TKIND_COCLASS) ++coclass;
  const std::size_t record = TypeRecord(bytes, coclass);
  const std::uint32_t first = Peek32(bytes, record + 0x54);
  const std::size_t references = Peek32(bytes, SegmentEntry(bytes, 3));
  Poke32(bytes, references + first + 12, first);   // the first record names itself next
  bytes[record + 0x4C] = static_cast<char>(0xFF);  // and the count says 1023 more
  bytes[record + 0x4D] = 0x03;
  const auto looped = ReadMsftTypeLib(bytes);
  ASSERT_TRUE(looped);
  EXPECT_EQ(looped->types[coclass].implementedTypes.size(), 0x3FFu);

  bytes[record + 0x4D] = 0x04;  // 1279: past the bound
  EXPECT_FALSE(ReadMsftTypeLib(bytes));
}

TEST(MsftTypeLib, SurvivesEveryByteOverwritten) {
  const std::string original = ReadTestLibrary();
  for (std::size_t offset = 0; offset < original.size(); ++offset) {
    for (const char value : {'\x00', '\x7F', '\xFF'}) {
      std::string bytes = original;
      bytes[offset] = value;
      (void)ReadMsftTypeLib(bytes);
    }
  }
}

TEST(MsftTypeLib, RefusesLibrariesPastTheSizeBound) {
  std::string bytes = ReadTestLibrary();
  bytes.resize(kMaxTypeLibBytes + 1, '\0');
  EXPECT_FALSE(ReadMsftTypeLib(bytes));
}

}  // namespace
}  // namespace platform
