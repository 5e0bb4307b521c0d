#pragma once
// In-memory doubles of the rich text drawer's ports: a fixed colour scheme,
// images and strings registered by the test, and windows, a cursor and a shell
// that only record what they were asked.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "richtext/html_drawer.h"

namespace tessel {

// The classic grey scheme, so that layouts and pixels do not depend on a desktop.
class FixedSystemColors : public SystemColors {
 public:
  ColorRef Get(int index) const override;
};

// Images and strings registered in memory, keyed like their source.
class MemoryImageLoader : public ImageLoader {
 public:
  using Key = std::pair<int, std::string>;  // (id or handle, path)

  void AddBitmap(ImageSource::From from, Key key, PixelImage image) {
    bitmaps_[{from, std::move(key)}] = std::move(image);
  }
  void AddIcon(ImageSource::From from, Key key, IconImage icon) { icons_[{from, std::move(key)}] = std::move(icon); }
  void AddString(int id, std::string text) { strings_[id] = std::move(text); }

  std::optional<PixelImage> LoadBitmapImage(const ImageSource& source) override;
  std::optional<IconImage> LoadIconImage(const ImageSource& source, Size size) override;
  std::string LoadStringResource(int id) override;
  Size SystemIconSize() const override { return {32, 32}; }
  void ReleaseModule(ModuleHandle module) override { ++freedModules; }

  int bitmapLoads = 0;  // every LoadBitmap and LoadIcon call
  int freedModules = 0;

 private:
  static std::pair<ImageSource::From, Key> KeyOf(const ImageSource& source);
  std::map<std::pair<ImageSource::From, Key>, PixelImage> bitmaps_;
  std::map<std::pair<ImageSource::From, Key>, IconImage> icons_;
  std::map<int, std::string> strings_;
};

class RecordingWindowMessagePort : public WindowMessagePort {
 public:
  struct Sent {
    WindowHandle window;
    unsigned message;
    std::intptr_t wParam;
    std::intptr_t lParam;
    std::string text;  // for message links: the target wParam pointed to
  };
  std::intptr_t SendWindowMessage(WindowHandle window, unsigned message, std::intptr_t wParam,
                                  std::intptr_t lParam) override;
  std::vector<Sent> sent;
  unsigned textMessage = 0;  // a message whose wParam points to a text (message links)
};

class RecordingLinkCursor : public LinkCursorPort {
 public:
  bool Show() override {
    ++shown;
    return hasCursor;
  }
  bool hasCursor = true;
  int shown = 0;
};

class RecordingShellPort : public ShellPort {
 public:
  int Open(const std::string& target) override {
    opened.push_back(target);
    return openResult;
  }
  void Run(const std::string& commandLine) override { run.push_back(commandLine); }
  std::optional<std::string> ReadClassesRootDefault(const std::string& key) override;

  int openResult = 42;
  std::vector<std::pair<std::string, std::string>> registry;  // key, default value
  std::vector<std::string> opened;
  std::vector<std::string> run;
};

// One double of each port, kept so that a test can set them up and read them back.
struct TestPorts {
  std::shared_ptr<FixedSystemColors> systemColors = std::make_shared<FixedSystemColors>();
  std::shared_ptr<MemoryImageLoader> images = std::make_shared<MemoryImageLoader>();
  std::shared_ptr<RecordingWindowMessagePort> windowMessages = std::make_shared<RecordingWindowMessagePort>();
  std::shared_ptr<RecordingLinkCursor> linkCursor = std::make_shared<RecordingLinkCursor>();
  std::shared_ptr<RecordingShellPort> shell = std::make_shared<RecordingShellPort>();

  HtmlPlatform Platform() const { return {systemColors, images, windowMessages, linkCursor, shell}; }
};

}  // namespace tessel
