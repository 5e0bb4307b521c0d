#pragma once
// Port to the places rich text images and strings come from: the program's
// resources, image files, resource libraries and existing image handles. The
// drawer decides which source to try in which order; the loader only fetches.
#include <optional>
#include <string>

#include "draw/native_handles.h"
#include "draw/pixel_image.h"

namespace tessel {

struct ImageSource {
  enum class From { kResource, kFile, kLibrary, kHandle };
  From from = From::kResource;
  int id = 0;                     // Resource, Library
  std::string path;               // File: the image file; Library: the library file, or empty
  ModuleHandle module = nullptr;  // Library without a path: this module
  ImageHandle handle = nullptr;   // Handle: an image the caller owns; never deleted here
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
  virtual void ReleaseModule(ModuleHandle module) = 0;
};

}  // namespace tessel
