#pragma once
// The Windows side of the rich text drawer's ports: system colours, images and
// strings from resources, files, libraries and handles, window messages and
// the link cursor, and the shell with its ".htm" handler.
#include <windows.h>

#include "win32_base/link_cursor.h"
#include "richtext/html_drawer.h"

namespace tessel {

class Win32SystemColors : public SystemColors {
 public:
  ColorRef Get(int index) const override { return static_cast<ColorRef>(::GetSysColor(index)); }
};

class Win32ImageLoader : public ImageLoader {
 public:
  // `instance` holds the program's own resources (null: the program's module).
  explicit Win32ImageLoader(HINSTANCE instance = nullptr);
  std::optional<PixelImage> LoadBitmapImage(const ImageSource& source) override;
  std::optional<IconImage> LoadIconImage(const ImageSource& source, Size size) override;
  std::string LoadStringResource(int id) override;
  Size SystemIconSize() const override;
  void ReleaseModule(ModuleHandle module) override;

 private:
  HINSTANCE instance_;
};

class Win32WindowMessagePort : public WindowMessagePort {
 public:
  std::intptr_t SendWindowMessage(WindowHandle window, unsigned message, std::intptr_t wParam,
                                  std::intptr_t lParam) override;
};

class Win32LinkCursor : public LinkCursorPort {
 public:
  bool Show() override;

 private:
  framework::UniqueCursor cursor_ = framework::LoadLinkCursor();
};

class Win32ShellPort : public ShellPort {
 public:
  int Open(const std::string& target) override;
  void Run(const std::string& commandLine) override;
  std::optional<std::string> ReadClassesRootDefault(const std::string& key) override;
};

// All the Windows ports, for a drawer that draws in a window of the program.
HtmlPlatform MakeWin32HtmlPlatform(HINSTANCE instance = nullptr);

}  // namespace tessel
