#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "TestFiles_win.h"
#include "launcher/archive/ArchiveExtractor_win.h"
#include "launcher/system/Directories_win.h"
#include "winlib/Handles_win.h"

namespace {

// Relative path -> content; folders end in "\" and have no content.
using Tree = std::map<std::string, std::string>;

std::string Fixture(const std::string& name) {
  std::string path = std::string("Z:") + ARCHIVE_FIXTURES_DIR + "/" + name;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

void CollectTree(const std::string& root, const std::string& relative, Tree& tree) {
  WIN32_FIND_DATAA data;
  winlib::UniqueFindHandle find(::FindFirstFileA((root + relative + "*").c_str(), &data));
  if (!find) return;
  do {
    std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      tree[relative + name + "\\"];
      CollectTree(root, relative + name + "\\", tree);
    } else {
      ReadWholeFile(root + relative + name, tree[relative + name]);
    }
  } while (::FindNextFileA(find.Get(), &data));
}

Tree ReadTree(std::string folder) {
  if (folder.back() != '\\') folder += '\\';
  Tree tree;
  CollectTree(folder, "", tree);
  return tree;
}

std::string Names(const Tree& tree) {
  std::string names;
  for (const auto& entry : tree) names += entry.first + " ";
  return names;
}

// Same names and contents, without printing megabytes when they differ.
void ExpectSameTree(const Tree& actual, const Tree& expected, const std::string& what) {
  ASSERT_EQ(Names(actual), Names(expected)) << what;
  for (const auto& entry : expected) {
    EXPECT_TRUE(actual.at(entry.first) == entry.second) << what << ": " << entry.first << " differs";
  }
}

// Every entry of actual is in expected with the same content.
void ExpectPartOf(const Tree& actual, const Tree& expected, const std::string& what) {
  for (const auto& entry : actual) {
    auto found = expected.find(entry.first);
    ASSERT_TRUE(found != expected.end()) << what << ": unexpected " << entry.first;
    EXPECT_TRUE(found->second == entry.second) << what << ": " << entry.first << " differs";
  }
}

TEST(ExtractArchive, MethodsAndLayoutsGiveTheSourceTree) {
  struct Case {
    const char* archive;
    const char* source;
  } cases[] = {
      {"copy.7z", "mixed"},  {"lzma.7z", "mixed"},   {"lzma2.7z", "mixed"}, {"bcj.7z", "mixed"}, {"bcj2.7z", "mixed"},
      {"solid.7z", "small"}, {"blocks.7z", "small"}, {"dirs.7z", "dirs"},   {"zero.7z", "zero"},
  };
  bool trailingBackslash = false;
  for (const Case& c : cases) {
    ScratchFolder dir("extract");
    // The target and its parent do not exist yet; every other case names it with a "\".
    std::string target = dir / "new\\t";
    if (trailingBackslash) target += "\\";
    trailingBackslash = !trailingBackslash;
    EXPECT_TRUE(ExtractArchive(Fixture(c.archive).c_str(), target.c_str())) << c.archive;
    ExpectSameTree(ReadTree(target), ReadTree(Fixture(std::string("src/") + c.source)), c.archive);
  }
}

TEST(ExtractArchive, NameInTheCodePageKeepsItsCharacters) {
  ScratchFolder dir("chinese");
  ASSERT_TRUE(ExtractArchive(Fixture("copy.7z").c_str(), dir.Path().c_str()));
  std::wstring wide(dir.Path().begin(), dir.Path().end());  // the scratch path is plain ASCII
  EXPECT_NE(::GetFileAttributesW((wide + L"\x4E2D\x6587.txt").c_str()), INVALID_FILE_ATTRIBUTES);  // 中文.txt
}

TEST(ExtractArchive, EmptyArchiveCreatesNothing) {
  ScratchFolder dir("empty");
  EXPECT_TRUE(ExtractArchive(Fixture("empty.7z").c_str(), (dir / "t").c_str()));
  EXPECT_FALSE(DirectoryExists(dir / "t"));
}

TEST(ExtractArchive, TwiceGivesTheSameTreeAndLeavesOtherFilesAlone) {
  ScratchFolder dir("twice");
  std::string target = dir / "t\\";
  ASSERT_TRUE(CreateDirectoryPath(target + "data\\"));
  ASSERT_TRUE(WriteWholeFile(target + "keep.txt", "mine"));
  ASSERT_TRUE(WriteWholeFile(target + "data\\keep.bin", "also mine"));
  ASSERT_TRUE(WriteWholeFile(target + "a.txt", "an older a.txt, longer than the new one ..........................."));
  ASSERT_TRUE(WriteWholeFile(target + "empty.bin", "truncated to nothing"));

  Tree expected = ReadTree(Fixture("src/mixed"));
  expected["keep.txt"] = "mine";
  expected["data\\keep.bin"] = "also mine";
  ASSERT_TRUE(ExtractArchive(Fixture("lzma.7z").c_str(), target.c_str()));
  ExpectSameTree(ReadTree(target), expected, "first run");
  ASSERT_TRUE(ExtractArchive(Fixture("lzma.7z").c_str(), target.c_str()));
  ExpectSameTree(ReadTree(target), expected, "second run");
}

TEST(ExtractArchive, DamagedOrMissingArchives) {
  enum Left { kNothing, kFoldersOnly, kEarlierItems };
  struct Case {
    const char* archive;
    Left left;
  } cases[] = {
      {"flipped.7z", kEarlierItems},  // a byte of the last block altered
      {"truncated.7z", kNothing},     // the header at the end is gone
      {"notarchive.7z", kNothing},
      {"absent.7z", kNothing},
      {"nameless.7z", kNothing},  // items without names
      // The reader finds an unknown coder when it first decodes a block, after the folder items.
      {"unsupported.7z", kFoldersOnly},
  };
  Tree source = ReadTree(Fixture("src/small"));
  for (const Case& c : cases) {
    ScratchFolder dir("damaged");
    std::string target = dir / "t";
    EXPECT_FALSE(ExtractArchive(Fixture(c.archive).c_str(), target.c_str())) << c.archive;
    if (c.left == kNothing) {
      EXPECT_TRUE(ReadTree(dir.Path()).empty()) << c.archive << ": " << Names(ReadTree(dir.Path()));
      continue;
    }
    Tree extracted = ReadTree(target);
    ExpectPartOf(extracted, source, c.archive);
    std::size_t files = 0;
    for (const auto& entry : extracted) files += entry.first.back() != '\\';
    EXPECT_EQ(files > 0, c.left == kEarlierItems) << c.archive;
    EXPECT_LT(extracted.size(), source.size()) << c.archive;
  }
  EXPECT_FALSE(ExtractArchive(nullptr, "C:\\"));
}

TEST(ExtractArchive, HostileNamesWriteNothing) {
  // "../x", "a/../../x", "C:x", "/x", "CON", "a:b", "..\x", "a/nul.txt", "a/./b", "q?.txt"
  for (int i = 0; i < 10; ++i) {
    std::string archive = "hostile" + std::to_string(i) + ".7z";
    ScratchFolder dir("hostile");
    EXPECT_FALSE(ExtractArchive(Fixture(archive).c_str(), (dir / "box\\t").c_str())) << archive;
    EXPECT_TRUE(ReadTree(dir.Path()).empty()) << archive << ": " << Names(ReadTree(dir.Path()));
  }

  ScratchFolder dir("hostile");
  EXPECT_FALSE(ExtractArchive(Fixture("hostile_after_good.7z").c_str(), (dir / "box\\t").c_str()));
  ExpectSameTree(ReadTree(dir.Path()), Tree{{"box\\", ""}, {"box\\t\\", ""}, {"box\\t\\good.txt", "good"}},
                 "after good");
}

TEST(ExtractArchive, NamesThatCannotBeWritten) {
  for (const char* archive : {"name_too_long.7z", "ansi_too_long.7z"}) {
    ScratchFolder dir("names");
    EXPECT_FALSE(ExtractArchive(Fixture(archive).c_str(), (dir / "t").c_str())) << archive;
    EXPECT_TRUE(ReadTree(dir.Path()).empty()) << archive;
  }
  // Hangul is not in code page 936: its default character "?" is no file-name character.
  ScratchFolder dir("names");
  EXPECT_FALSE(ExtractArchive(Fixture("outside936.7z").c_str(), (dir / "t").c_str()));
  ExpectPartOf(ReadTree(dir / "t"), ReadTree(Fixture("src/outside")), "outside936");
}

TEST(ExtractArchive, DestinationThatCannotBeReplacedStopsTheRun) {
  enum Obstacle { kReadOnly, kHidden, kHeldOpen, kFolder };
  for (Obstacle obstacle : {kReadOnly, kHidden, kHeldOpen, kFolder}) {
    ScratchFolder dir("obstacle");
    std::string target = dir / "t\\";
    ASSERT_TRUE(CreateDirectoryPath(target));
    winlib::UniqueFileHandle held;
    if (obstacle == kFolder) {
      ASSERT_TRUE(::CreateDirectoryA((target + "b.txt").c_str(), nullptr));
    } else {
      ASSERT_TRUE(WriteWholeFile(target + "b.txt", "old"));
    }
    if (obstacle == kReadOnly) ::SetFileAttributesA((target + "b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    if (obstacle == kHidden) ::SetFileAttributesA((target + "b.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    if (obstacle == kHeldOpen) {
      held.Reset(::CreateFileA((target + "b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(held.Valid());
    }
    EXPECT_FALSE(ExtractArchive(Fixture("three.7z").c_str(), target.c_str())) << obstacle;
    held.Reset();
    Tree expected{{"a.txt", "first"}};
    if (obstacle == kFolder) {
      expected["b.txt\\"];
    } else {
      expected["b.txt"] = "old";
    }
    ExpectSameTree(ReadTree(target), expected, "obstacle " + std::to_string(obstacle));
  }

  ScratchFolder dir("obstacle");
  std::string target = dir / "t\\";
  ASSERT_TRUE(CreateDirectoryPath(target));
  ASSERT_TRUE(WriteWholeFile(target + "d", "a file where a folder belongs"));
  EXPECT_FALSE(ExtractArchive(Fixture("written.7z").c_str(), target.c_str()));
  ExpectSameTree(ReadTree(target), Tree{{"d", "a file where a folder belongs"}}, "file for folder");
}

TEST(ExtractArchive, LongDestinations) {
  ScratchFolder dir("long");
  // A target of `length` bytes made of folders of at most 100 bytes.
  auto targetOf = [&dir](std::size_t length) {
    std::string target = dir.Path();
    while (length - target.size() > 101) target += std::string(100, 'p') + "\\";
    return target + std::string(length - target.size(), 'p');
  };
  // "a.txt" fits (250 + 6 bytes) where a temporary name beside it would not (250 + 14).
  std::string target = targetOf(250);
  ASSERT_EQ(target.size(), 250u);
  EXPECT_TRUE(ExtractArchive(Fixture("three.7z").c_str(), target.c_str()));
  ExpectSameTree(ReadTree(target), Tree{{"a.txt", "first"}, {"b.txt", "second"}, {"c.txt", "third"}}, "in place");

  std::string tooLong = targetOf(255) + "q";  // 256 + 6 bytes exceed the destination buffer
  EXPECT_FALSE(ExtractArchive(Fixture("three.7z").c_str(), tooLong.c_str()));
  EXPECT_FALSE(DirectoryExists(tooLong));
}

}  // namespace
