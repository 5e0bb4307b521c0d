#pragma once
// Port to the places rich text images and strings come from: the program's
// resources, image files, resource libraries and existing image handles. The
// drawer decides which source to try in which order; the loader only fetches.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "draw/pixel_image.h"

namespace tessel {

// A loaded module of the platform (a resource library), opaque to the core.
struct NativeModule;
using ModuleRef = NativeModule*;

struct ImageSource {
  enum class From { Resource, File, Library, Handle };
  From from = From::Resource;
  int id = 0;                  // Resource, Library
  std::string path;            // File: the image file; Library: the library file, or empty
  ModuleRef module = nullptr;  // Library without a path: this module
  std::uint32_t handle = 0;    // Handle: an image the caller owns; never deleted here
};

class ImageLoader {
 public:
  virtual ~ImageLoader() = default;
  // A bitmap at its own size; nullopt when the source has none.
  virtual std::optional<PixelImage> LoadBitmapImage(const ImageSource& source) = 0;
  // An icon, at `size` where the source offers sizes.
  virtual std::optional<IconImage> LoadIconImage(const ImageSource& source, Size size) = 0;
  // A string resource of the program; empty when it has none.
  virtual std::string LoadStringResource(int id) = 0;
  virtual Size SystemIconSize() const = 0;
  // Releases a module that the drawer owns.
  virtual void ReleaseModule(ModuleRef module) = 0;
};

// Test double: images and strings registered in memory, keyed like their source.
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
  void ReleaseModule(ModuleRef module) override { ++freedModules; }

  int bitmapLoads = 0;  // every LoadBitmap and LoadIcon call
  int freedModules = 0;

 private:
  static std::pair<ImageSource::From, Key> KeyOf(const ImageSource& source);
  std::map<std::pair<ImageSource::From, Key>, PixelImage> bitmaps_;
  std::map<std::pair<ImageSource::From, Key>, IconImage> icons_;
  std::map<int, std::string> strings_;
};

}  // namespace tessel
