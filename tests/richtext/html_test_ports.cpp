#include "tests/richtext/html_test_ports.h"

#include <array>

namespace tessel {

ColorRef FixedSystemColors::Get(int index) const {
  // Indexed like the platform's system colours.
  static constexpr std::array<ColorRef, 25> kClassic = {
      MakeColor(212, 208, 200), MakeColor(58, 110, 165),  MakeColor(10, 36, 106),   MakeColor(128, 128, 128),
      MakeColor(212, 208, 200), MakeColor(255, 255, 255), MakeColor(0, 0, 0),       MakeColor(0, 0, 0),
      MakeColor(0, 0, 0),       MakeColor(255, 255, 255), MakeColor(212, 208, 200), MakeColor(212, 208, 200),
      MakeColor(128, 128, 128), MakeColor(10, 36, 106),   MakeColor(255, 255, 255), MakeColor(212, 208, 200),
      MakeColor(128, 128, 128), MakeColor(128, 128, 128), MakeColor(0, 0, 0),       MakeColor(212, 208, 200),
      MakeColor(255, 255, 255), MakeColor(64, 64, 64),    MakeColor(212, 208, 200), MakeColor(0, 0, 0),
      MakeColor(255, 255, 225),
  };
  if (index < 0 || index >= static_cast<int>(kClassic.size())) return 0;
  return kClassic[static_cast<std::size_t>(index)];
}

std::pair<ImageSource::From, MemoryImageLoader::Key> MemoryImageLoader::KeyOf(const ImageSource& source) {
  switch (source.from) {
    case ImageSource::From::kResource:
      return {source.from, {source.id, ""}};
    case ImageSource::From::kFile:
      return {source.from, {0, source.path}};
    case ImageSource::From::kLibrary:
      return {source.from, {source.id, source.path}};
    case ImageSource::From::kHandle:
      return {source.from, {static_cast<int>(reinterpret_cast<std::uintptr_t>(source.handle)), ""}};
  }
  return {source.from, {0, ""}};
}

std::optional<PixelImage> MemoryImageLoader::LoadBitmapImage(const ImageSource& source) {
  ++bitmapLoads;
  auto found = bitmaps_.find(KeyOf(source));
  if (found == bitmaps_.end()) return std::nullopt;
  return found->second;
}

std::optional<IconImage> MemoryImageLoader::LoadIconImage(const ImageSource& source, Size size) {
  ++bitmapLoads;
  auto found = icons_.find(KeyOf(source));
  if (found == icons_.end()) return std::nullopt;
  return found->second;
}

std::string MemoryImageLoader::LoadStringResource(int id) {
  auto found = strings_.find(id);
  return found == strings_.end() ? std::string() : found->second;
}

std::intptr_t RecordingWindowMessagePort::SendWindowMessage(WindowHandle window, unsigned message, std::intptr_t wParam,
                                                            std::intptr_t lParam) {
  Sent entry{window, message, wParam, lParam, {}};
  if (textMessage != 0 && message == textMessage && wParam != 0) entry.text = reinterpret_cast<const char*>(wParam);
  sent.push_back(entry);
  return 0;
}

std::optional<std::string> RecordingShellPort::ReadClassesRootDefault(const std::string& key) {
  for (const auto& [name, value] : registry)
    if (name == key) return value;
  return std::nullopt;
}

}  // namespace tessel
