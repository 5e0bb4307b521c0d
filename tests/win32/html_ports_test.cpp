// The rich text drawer's Windows ports under Wine: system colours, bitmaps and
// icons read from handles, window messages, the link cursor and the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include "draw/software_surface.h"
#include "draw_win32/gdi_image.h"
#include "draw_win32/native_handles_win32.h"
#include "richtext_win32/html_platform_win32.h"

namespace tessel {
namespace {

constexpr UINT kLinkMessage = WM_APP + 7;
std::string g_received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kLinkMessage) {
    g_received = reinterpret_cast<const char*>(wParam);
    return 55 + lParam;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = RecordingProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "HtmlPortsTestWindow";
  RegisterClassA(&windowClass);
  return CreateWindowA("HtmlPortsTestWindow", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                       GetModuleHandleA(nullptr), nullptr);
}

TEST(HtmlPortsWin32, SystemColoursComeFromTheDesktop) {
  Win32SystemColors colors;
  EXPECT_EQ(colors.Get(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
  HtmlColors table(colors);
  EXPECT_EQ(table.Parse("buttonface", 1), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(table.Replacement(), GetSysColor(COLOR_BTNSHADOW));
}

TEST(HtmlPortsWin32, BitmapHandlesAreReadAndLeftToTheCaller) {
  const DWORD pixels[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF};  // 0x00RRGGBB rows, top first
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, pixels);
  ASSERT_NE(bitmap, nullptr);
  Win32ImageLoader loader;
  ImageSource source;
  source.from = ImageSource::From::kHandle;
  source.handle = ToImageHandle(bitmap);
  auto image = loader.LoadBitmapImage(source);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->GetSize(), (Size{2, 2}));
  EXPECT_EQ(image->At(0, 0) & 0xFFFFFF, ColorToPixel(MakeColor(255, 0, 0)));
  EXPECT_EQ(image->At(1, 1) & 0xFFFFFF, 0xFFFFFFu);
  BITMAP info{};
  EXPECT_NE(GetObjectA(bitmap, sizeof info, &info), 0);  // still alive
  DeleteObject(bitmap);
  source.from = ImageSource::From::kResource;
  source.id = 31999;
  EXPECT_FALSE(loader.LoadBitmapImage(source).has_value());
  EXPECT_EQ(loader.LoadStringResource(31999), "");
}

TEST(HtmlPortsWin32, IconsGiveColourMaskAndHotSpot) {
  HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));  // IDI_INFORMATION
  ASSERT_NE(icon, nullptr);
  auto image = IconImageFromIcon(icon);
  ASSERT_TRUE(image.has_value());
  EXPECT_GT(image->color.Width(), 0);
  EXPECT_EQ(image->mask.GetSize(), image->color.GetSize());
  EXPECT_EQ(DrawManager::GetIconSize(&*image), image->color.GetSize());
}

TEST(HtmlPortsWin32, MessagesCursorAndRegistry) {
  HWND window = MakeWindow();
  ASSERT_NE(window, nullptr);
  Win32WindowMessagePort windows;
  const char* text = "hello";
  EXPECT_EQ(windows.SendWindowMessage(ToWindowHandle(window), kLinkMessage, reinterpret_cast<std::intptr_t>(text), 1),
            56);
  EXPECT_EQ(g_received, "hello");
  EXPECT_TRUE(Win32LinkCursor().Show());
  Win32ShellPort shell;
  EXPECT_FALSE(shell.ReadClassesRootDefault("Oxbrim.NoSuchClass.7f3a").has_value());
  // A command outside the system code page reads whole, as UTF-8.
  const std::wstring command = L"C:\\Программы\\браузер.exe \"%1\"";
  HKEY key = nullptr;
  ASSERT_EQ(
      RegCreateKeyExW(HKEY_CLASSES_ROOT, L"Oxbrim.Utf8Class.7f3a", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  EXPECT_EQ(shell.ReadClassesRootDefault("Oxbrim.Utf8Class.7f3a"), "C:\\Программы\\браузер.exe \"%1\"");
  RegDeleteKeyW(HKEY_CLASSES_ROOT, L"Oxbrim.Utf8Class.7f3a");
  DestroyWindow(window);
}

TEST(HtmlPortsWin32, DrawerSendsMessageLinksToItsWindow) {
  HWND window = MakeWindow();
  HtmlDrawer drawer(MakeWin32HtmlPlatform());
  drawer.BindMessageLinks(ToWindowHandle(window), kLinkMessage, 0);
  PixelImage image(200, 50, 0xFFFFFF);
  SoftwareSurface surface(image);
  g_received.clear();
  drawer.Measure(surface, "<a msg=\"go on\">link</a>");
  drawer.Draw(surface, {0, 0, 200, 50});
  drawer.Click({3, 3});
  EXPECT_EQ(g_received, "go on");
  DestroyWindow(window);
}

}  // namespace
}  // namespace tessel
