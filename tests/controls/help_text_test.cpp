// Help files: where they are looked up, how their format is told, how they are streamed.
#include <gtest/gtest.h>

#include <string>

#include "controls/help_text.h"
#include "fakes/fake_help_files.h"

namespace kestrel {
namespace {

TEST(HelpFilePath, ReplacesTheProgramNameKeepingDriveAndDirectory) {
  EXPECT_EQ(HelpFilePath("C:\\Program Files\\Kestrel\\corvusap.exe", "settings.rtf"),
            "C:\\Program Files\\Kestrel\\settings.rtf");
  EXPECT_EQ(HelpFilePath("C:\\corvusap.exe", "about.rtf"), "C:\\about.rtf");
  EXPECT_EQ(HelpFilePath("\\\\server\\share\\corvusap.exe", "a.rtf"), "\\\\server\\share\\a.rtf");
  EXPECT_EQ(HelpFilePath("D:/tools/corvusap.exe", "a.rtf"), "D:/tools/a.rtf");
}

TEST(HelpFilePath, NoDirectoryGivesAnEmptyPath) {
  EXPECT_EQ(HelpFilePath("corvusap.exe", "settings.rtf"), "");
  EXPECT_EQ(HelpFilePath("C:corvusap.exe", "settings.rtf"), "");
  EXPECT_EQ(HelpFilePath("", "settings.rtf"), "");
}

TEST(HelpFilePath, SecondByteOfADoubleByteCharacterIsNotASeparator) {
  // "\x95\x5C" is one CP932 character (表) whose second byte is the backslash.
  EXPECT_EQ(HelpFilePath("C:\\\x95\x5C\\corvusap.exe", "a.rtf"), "C:\\\x95\x5C\\a.rtf");
  EXPECT_EQ(HelpFilePath("C:\\dir\\\x95\x5C.exe", "a.rtf"), "C:\\dir\\a.rtf");
  EXPECT_EQ(HelpFilePath("\x95\x5C.exe", "a.rtf"), "");
}

HelpTextFormat Detect(const std::string& head) {
  return DetectHelpTextFormat(reinterpret_cast<const std::uint8_t*>(head.data()), head.size());
}

TEST(HelpTextFormat, RtfSignatureInAnyCaseIsRtf) {
  EXPECT_EQ(Detect("{\\rtf1\\ansi"), HelpTextFormat::Rtf);
  EXPECT_EQ(Detect("{\\RTF1"), HelpTextFormat::Rtf);
  EXPECT_EQ(Detect("{\\rTf"), HelpTextFormat::Rtf);
}

TEST(HelpTextFormat, AnythingElseIsPlainText) {
  EXPECT_EQ(Detect(" {\\rtf1"), HelpTextFormat::PlainText);
  EXPECT_EQ(Detect("{\\rt"), HelpTextFormat::PlainText);
  EXPECT_EQ(Detect(""), HelpTextFormat::PlainText);
  EXPECT_EQ(Detect("{/rtf"), HelpTextFormat::PlainText);
  EXPECT_EQ(Detect("\xEF\xBB\xBF{\\rtf"), HelpTextFormat::PlainText);
}

class LoadHelpTextTest : public ::testing::Test {
 protected:
  HelpLoadResult load(const std::string& path) { return LoadHelpText(pane, files, path); }

  fakes::FakeSharedReadFiles files;
  fakes::FakeHelpPane pane;
};

TEST_F(LoadHelpTextTest, RtfFileIsStreamedWholeAsRtf) {
  std::string rtf = "{\\RTF1\\ansi ";
  for (int i = 0; i < 3000; ++i)
    rtf += "\\u12371? line " + std::to_string(i) + "\\par\n";
  rtf += "}";
  files.files["C:\\k\\settings.rtf"] = {FileKind::File, rtf};
  pane.chunkCapacity = 1000;
  EXPECT_EQ(load("C:\\k\\settings.rtf"), HelpLoadResult::Loaded);
  EXPECT_EQ(pane.lastFormat, HelpTextFormat::Rtf);
  EXPECT_EQ(pane.content, rtf);
  EXPECT_TRUE(pane.problems.empty());
}

TEST_F(LoadHelpTextTest, MarkupAfterALeadingBlankIsShownAsText) {
  files.files["a.rtf"] = {FileKind::File, " {\\rtf1 visible}"};
  EXPECT_EQ(load("a.rtf"), HelpLoadResult::Loaded);
  EXPECT_EQ(pane.lastFormat, HelpTextFormat::PlainText);
  EXPECT_EQ(pane.content, " {\\rtf1 visible}");
}

TEST_F(LoadHelpTextTest, ShortAndEmptyFilesAreText) {
  files.files["short"] = {FileKind::File, "{\\r"};
  EXPECT_EQ(load("short"), HelpLoadResult::Loaded);
  EXPECT_EQ(pane.lastFormat, HelpTextFormat::PlainText);
  EXPECT_EQ(pane.content, "{\\r");

  files.files["empty"] = {FileKind::File, ""};
  EXPECT_EQ(load("empty"), HelpLoadResult::Loaded);
  EXPECT_EQ(pane.content, "");  // an empty file empties the pane
}

TEST_F(LoadHelpTextTest, UnusableNamesReportInvalidFileNameAndKeepTheContent) {
  files.files["dir"] = {FileKind::Directory, ""};
  files.files["label"] = {FileKind::VolumeLabel, ""};
  for (const std::string path : {"missing.rtf", "dir", "label", ""}) {
    EXPECT_EQ(load(path), HelpLoadResult::InvalidFileName) << path;
    ASSERT_FALSE(pane.problems.empty());
    EXPECT_EQ(pane.problems.back(), std::make_pair(HelpFileProblem::InvalidFileName, path));
  }
  EXPECT_EQ(pane.streams, 0);
  EXPECT_EQ(pane.content, "previous content");
  EXPECT_TRUE(files.opened.empty());
}

TEST_F(LoadHelpTextTest, FileThatCannotBeOpenedReportsCannotOpen) {
  files.files["locked.rtf"] = {FileKind::File, "{\\rtf1}", true};
  EXPECT_EQ(load("locked.rtf"), HelpLoadResult::CannotOpen);
  EXPECT_EQ(pane.problems.at(0),
            std::make_pair(HelpFileProblem::CannotOpen, std::string("locked.rtf")));
  EXPECT_EQ(pane.content, "previous content");
}

TEST_F(LoadHelpTextTest, ReadErrorEndsTheStreamWithWhatWasRead) {
  fakes::FakeFile file{FileKind::File, "{\\rtf1 0123456789abcdef}"};
  file.failReadAt = 10;
  files.files["bad.rtf"] = file;
  pane.chunkCapacity = 4;
  EXPECT_EQ(load("bad.rtf"), HelpLoadResult::Loaded);
  EXPECT_EQ(pane.content, "{\\rtf1 01234");  // three chunks of 4 began before the fault
}

TEST_F(LoadHelpTextTest, EachLoadReadsTheFileAgain) {
  files.files["n.rtf"] = {FileKind::File, "first"};
  load("n.rtf");
  files.files["n.rtf"].bytes = "second";
  load("n.rtf");
  EXPECT_EQ(pane.content, "second");
  EXPECT_EQ(pane.streams, 2);
}

}  // namespace
}  // namespace kestrel
