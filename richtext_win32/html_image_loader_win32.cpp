#include <memory>
#include <vector>

#include "draw_win32/gdi_image.h"
#include "draw_win32/native_handles_win32.h"
#include "win32_base/wide_path.h"
#include "win32_base/gdi_handles.h"
#include "richtext_win32/html_platform_win32.h"

namespace tessel {
namespace {

constexpr int kMaxStringResource = 1024;  // characters read of a string resource

// A resource library, loaded for one image only.
framework::UniqueModule LoadResourceLibrary(const std::string& path) {
  return framework::UniqueModule(::LoadLibraryExW(WidePath(path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

// Loads an image of one source: the handle it gives is ours to delete unless
// it came in as a handle.
HANDLE LoadFromSource(HINSTANCE instance, const ImageSource& source, UINT type, Size size, UINT flags,
                      framework::UniqueModule& library) {
  switch (source.from) {
    case ImageSource::From::kResource:
      return ::LoadImageA(instance, MAKEINTRESOURCEA(source.id), type, size.cx, size.cy, flags);
    case ImageSource::From::kFile:
      return ::LoadImageW(nullptr, WidePath(source.path).c_str(), type, size.cx, size.cy, flags | LR_LOADFROMFILE);
    case ImageSource::From::kLibrary: {
      HMODULE module = ToHmodule(source.module);
      if (!source.path.empty()) {
        library = LoadResourceLibrary(source.path);
        module = library.get();
      }
      if (!module) return nullptr;
      return ::LoadImageA(module, MAKEINTRESOURCEA(source.id), type, size.cx, size.cy, flags);
    }
    case ImageSource::From::kHandle:
      return ToHandle(source.handle);
  }
  return nullptr;
}

}  // namespace

Win32ImageLoader::Win32ImageLoader(HINSTANCE instance) : instance_(instance ? instance : ::GetModuleHandleA(nullptr)) {}

std::optional<PixelImage> Win32ImageLoader::LoadBitmapImage(const ImageSource& source) {
  framework::UniqueModule library;
  HANDLE handle = LoadFromSource(instance_, source, IMAGE_BITMAP, {0, 0}, LR_CREATEDIBSECTION, library);
  if (!handle) return std::nullopt;
  auto image = PixelImageFromBitmap(static_cast<HBITMAP>(handle));
  if (source.from != ImageSource::From::kHandle) ::DeleteObject(handle);
  return image;
}

std::optional<IconImage> Win32ImageLoader::LoadIconImage(const ImageSource& source, Size size) {
  framework::UniqueModule library;
  HANDLE handle = LoadFromSource(instance_, source, IMAGE_ICON, size, 0, library);
  if (!handle) return std::nullopt;
  auto icon = IconImageFromIcon(static_cast<HICON>(handle));
  if (source.from != ImageSource::From::kHandle) ::DestroyIcon(static_cast<HICON>(handle));
  return icon;
}

std::string Win32ImageLoader::LoadStringResource(int id) {
  // UTF-8, as the surface draws text.
  std::vector<wchar_t> buffer(kMaxStringResource + 1, L'\0');
  int length = ::LoadStringW(instance_, static_cast<UINT>(id), buffer.data(), kMaxStringResource + 1);
  return length > 0 ? Utf8OfWide(std::wstring_view(buffer.data(), static_cast<std::size_t>(length))) : std::string();
}

Size Win32ImageLoader::SystemIconSize() const { return {::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)}; }

void Win32ImageLoader::ReleaseModule(ModuleHandle module) {
  if (module) ::FreeLibrary(ToHmodule(module));
}

}  // namespace tessel
