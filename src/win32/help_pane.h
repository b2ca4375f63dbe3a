#pragma once
// The help pane over a rich edit control, the help files through the ANSI file functions,
// and the one call a page makes when it becomes active.

#include <windows.h>

#include <string>

#include "controls/help_text.h"

namespace kestrel {

class RichEditHelpPane : public HelpPane {
 public:
  explicit RichEditHelpPane(HWND richEdit) : richEdit_(richEdit) {}
  void streamIn(HelpTextFormat format, const HelpChunkSource& source) override;
  // A message box owned by the pane's top-level window.
  void reportProblem(HelpFileProblem problem, const std::string& path) override;

 private:
  HWND richEdit_;
};

class Win32SharedReadFiles : public SharedReadFiles {
 public:
  FileKind kind(const std::string& path) override;
  std::unique_ptr<ReadableFile> openShared(const std::string& path) override;
};

// Loads the rich edit library once so that dialog templates can name its window class.
bool LoadRichEditLibrary();
// What a page does when it becomes active: its help file from the program's folder.
HelpLoadResult ShowPageHelp(HWND richEdit, const std::string& fileName);

}  // namespace kestrel
