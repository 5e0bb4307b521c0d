#include <memory>
#include <vector>

#include "richtext_win32/html_platform_win32.h"

namespace tessel {
namespace {

constexpr int kMaxStringResource = 1024;  // characters read of a string resource

struct ModuleRelease {
  void operator()(HMODULE module) const { ::FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleRelease>;

struct ObjectRelease {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectRelease>;

struct IconRelease {
  void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconRelease>;

// A resource library, loaded for one image only.
UniqueModule LoadResourceLibrary(const std::string& path) {
  return UniqueModule(::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

// Loads an image of one source: the handle it gives is ours to delete unless
// it came in as a handle.
HANDLE LoadFromSource(HINSTANCE instance, const ImageSource& source, UINT type, Size size, UINT flags,
                      UniqueModule& library) {
  switch (source.from) {
    case ImageSource::From::Resource:
      return ::LoadImageA(instance, MAKEINTRESOURCEA(source.id), type, size.cx, size.cy, flags);
    case ImageSource::From::File:
      return ::LoadImageA(nullptr, source.path.c_str(), type, size.cx, size.cy, flags | LR_LOADFROMFILE);
    case ImageSource::From::Library: {
      HMODULE module = ToHmodule(source.module);
      if (!source.path.empty()) {
        library = LoadResourceLibrary(source.path);
        module = library.get();
      }
      if (!module) return nullptr;
      return ::LoadImageA(module, MAKEINTRESOURCEA(source.id), type, size.cx, size.cy, flags);
    }
    case ImageSource::From::Handle:
      return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(source.handle));
  }
  return nullptr;
}

}  // namespace

std::optional<PixelImage> PixelImageFromBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !::GetObjectA(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
    return std::nullopt;
  PixelImage image(info.bmWidth, info.bmHeight);
  if (image.IsEmpty()) return std::nullopt;
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  header.bmiHeader.biWidth = image.Width();
  header.bmiHeader.biHeight = -image.Height();  // top-down, as PixelImage keeps its rows
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  HDC screen = ::GetDC(nullptr);
  const int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(image.Height()), image.Row(0), &header,
                               DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  if (rows <= 0) return std::nullopt;
  return image;
}

std::optional<IconImage> IconImageFromIcon(HICON icon) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return std::nullopt;
  UniqueBitmap color(info.hbmColor);
  UniqueBitmap mask(info.hbmMask);
  auto maskImage = PixelImageFromBitmap(info.hbmMask);
  if (!maskImage) return std::nullopt;
  std::optional<PixelImage> colorImage;
  if (info.hbmColor) {
    colorImage = PixelImageFromBitmap(info.hbmColor);
  } else {
    // A monochrome icon keeps its AND mask above its XOR image.
    const int half = maskImage->Height() / 2;
    colorImage = maskImage->Crop(MakeRect(0, half, maskImage->Width(), half));
    *maskImage = maskImage->Crop(MakeRect(0, 0, maskImage->Width(), half));
  }
  if (!colorImage || colorImage->IsEmpty()) return std::nullopt;
  // Mask pixels are white where the icon is transparent, black where it is opaque.
  for (int y = 0; y < maskImage->Height(); ++y) {
    Pixel* row = maskImage->Row(y);
    for (int x = 0; x < maskImage->Width(); ++x) row[x] = (row[x] & 0x00FFFFFF) ? 0x00FFFFFF : 0;
  }
  IconImage result = MakeIcon(std::move(*colorImage), std::move(*maskImage));
  result.hotSpot = {static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot)};
  return result;
}

Win32ImageLoader::Win32ImageLoader(HINSTANCE instance)
    : instance_(instance ? instance : ::GetModuleHandleA(nullptr)) {}

std::optional<PixelImage> Win32ImageLoader::LoadBitmapImage(const ImageSource& source) {
  UniqueModule library;
  HANDLE handle = LoadFromSource(instance_, source, IMAGE_BITMAP, {0, 0}, LR_CREATEDIBSECTION, library);
  if (!handle) return std::nullopt;
  auto image = PixelImageFromBitmap(static_cast<HBITMAP>(handle));
  if (source.from != ImageSource::From::Handle) ::DeleteObject(handle);
  return image;
}

std::optional<IconImage> Win32ImageLoader::LoadIconImage(const ImageSource& source, Size size) {
  UniqueModule library;
  HANDLE handle = LoadFromSource(instance_, source, IMAGE_ICON, size, 0, library);
  if (!handle) return std::nullopt;
  auto icon = IconImageFromIcon(static_cast<HICON>(handle));
  if (source.from != ImageSource::From::Handle) ::DestroyIcon(static_cast<HICON>(handle));
  return icon;
}

std::string Win32ImageLoader::LoadStringResource(int id) {
  std::vector<char> buffer(kMaxStringResource + 1, '\0');
  int length = ::LoadStringA(instance_, static_cast<UINT>(id), buffer.data(), kMaxStringResource);
  return length > 0 ? std::string(buffer.data(), static_cast<std::size_t>(length)) : std::string();
}

Size Win32ImageLoader::SystemIconSize() const {
  return {::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)};
}

void Win32ImageLoader::ReleaseModule(ModuleRef module) {
  if (module) ::FreeLibrary(ToHmodule(module));
}

}  // namespace tessel
