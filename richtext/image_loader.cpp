#include "richtext/image_loader.h"

namespace tessel {

std::pair<ImageSource::From, MemoryImageLoader::Key> MemoryImageLoader::KeyOf(const ImageSource& source) {
  switch (source.from) {
    case ImageSource::From::Resource:
      return {source.from, {source.id, ""}};
    case ImageSource::From::File:
      return {source.from, {0, source.path}};
    case ImageSource::From::Library:
      return {source.from, {source.id, source.path}};
    case ImageSource::From::Handle:
      return {source.from, {static_cast<int>(source.handle), ""}};
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

}  // namespace tessel
