#pragma once
// The Windows side of the rich text drawer's ports: system colours, images and
// strings from resources, files, libraries and handles, window messages and
// the link cursor, and the shell with its ".htm" handler.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

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
  void ReleaseModule(ModuleRef module) override;

 private:
  HINSTANCE instance_;
};

class Win32WindowPort : public WindowPort {
 public:
  Win32WindowPort();  // borrows the help viewer's hand cursor
  ~Win32WindowPort() override;
  Win32WindowPort(const Win32WindowPort&) = delete;
  Win32WindowPort& operator=(const Win32WindowPort&) = delete;
  std::intptr_t SendToWindow(WindowRef window, unsigned message, std::intptr_t wParam, std::intptr_t lParam) override;
  bool SetLinkCursor() override;

 private:
  HCURSOR cursor_ = nullptr;
  bool ownsCursor_ = false;
};

class Win32ShellPort : public ShellPort {
 public:
  int Open(const std::string& target) override;
  void Run(const std::string& commandLine) override;
  std::optional<std::string> ReadClassesRootDefault(const std::string& key) override;
};

inline HWND ToHwnd(WindowRef window) { return reinterpret_cast<HWND>(window); }
inline WindowRef ToWindowRef(HWND window) { return reinterpret_cast<WindowRef>(window); }
inline HMODULE ToHmodule(ModuleRef module) { return reinterpret_cast<HMODULE>(module); }
inline ModuleRef ToModuleRef(HMODULE module) { return reinterpret_cast<ModuleRef>(module); }

// All four Windows ports, for a drawer that draws in a window of the program.
HtmlPlatform MakeWin32HtmlPlatform(HINSTANCE instance = nullptr);

}  // namespace tessel
