// The pictures linked in packed come out of the program's resources with
// every pixel of the pictures they were packed from; damaged packed data gives
// no picture.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/background.h"
#include "win32_base/gdi_handles.h"
#include "framework/packed_picture.h"
#include "res/resource.h"

namespace {

// res/art/ of the source tree (not found from __FILE__: a compiler cache
// makes that path relative to the build folder).
std::string ArtFolder() { return std::string(TESSEL_SOURCE_DIR) + "/res/art"; }

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U32(const std::vector<std::uint8_t>& data, size_t at) {
  return data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) | (static_cast<std::uint32_t>(data[at + 3]) << 24);
}

TEST(PackedPictureTest, BackgroundsHaveEveryPixelOfTheirPictures) {
  for (UINT id :
       {IDB_PREFIX_BACKGROUND, IDB_ABOUT_BACKGROUND, IDB_CHOOSE_BACKGROUND, IDB_RESULTS_BACKGROUND, IDB_MOVE_BACKGROUND,
        IDB_LINK_BUY_LARGE, IDB_LINK_HOME_LARGE, IDB_LINK_SUPPORT_LARGE, IDB_LINK_HELP_LARGE, IDB_LINK_ABOUT_LARGE}) {
    SCOPED_TRACE(id);
    const std::vector<std::uint8_t> bmp = ReadFile(ArtFolder() + "/bitmap" + std::to_string(id) + ".bmp");
    ASSERT_GT(bmp.size(), 54u);
    const int width = static_cast<int>(U32(bmp, 18)), height = static_cast<int>(U32(bmp, 22));
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};

    framework::UniqueBitmap picture(framework::LoadDibResource(id));
    ASSERT_TRUE(picture);
    DIBSECTION dib{};
    ASSERT_EQ(::GetObjectA(picture.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, width);
    EXPECT_EQ(dib.dsBm.bmHeight, height);
    ASSERT_EQ(dib.dsBm.bmBitsPixel, 24);
    ASSERT_EQ(bmp.size(), U32(bmp, 10) + stride * height);
    const auto* bits = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
    const std::uint8_t* rows = bmp.data() + U32(bmp, 10);
    for (int y = 0; y < height; ++y) {
      ASSERT_EQ(0, std::memcmp(bits + y * stride, rows + y * stride, width * 3)) << "row " << y;
    }
  }
}

TEST(PackedPictureTest, DamagedDataGivesNoPicture) {
  // 2 x 2: a run of two blue pixels, the next one copied from the row
  // before, then one red pixel as it is.
  const std::vector<std::uint8_t> good = {'T', 'P', 'K', '2', 2, 0, 0, 0, 2, 0, 0, 0, 64, 255, 0, 0, 128, 0, 0, 0, 255};
  std::uint8_t bits[2 * 8] = {};  // two rows, 8 bytes apart
  ASSERT_TRUE(framework::UnpackPicture(good.data(), good.size(), bits, 8));
  const std::uint8_t bottom[6] = {255, 0, 0, 255, 0, 0}, top[6] = {255, 0, 0, 0, 0, 255};
  EXPECT_EQ(0, std::memcmp(bits, bottom, 6));
  EXPECT_EQ(0, std::memcmp(bits + 8, top, 6));

  std::uint8_t out[16] = {};
  // Cut short, one pixel missing, one pixel too many, a copy in the first
  // row, a bad mark, no size.
  EXPECT_FALSE(framework::UnpackPicture(good.data(), good.size() - 1, out, 8));
  std::vector<std::uint8_t> fewer = good;
  fewer.erase(fewer.begin() + 16);  // no copy: three pixels in all
  EXPECT_FALSE(framework::UnpackPicture(fewer.data(), fewer.size(), out, 8));
  std::vector<std::uint8_t> more = good;
  more[16] = 129;  // two copied, then one more
  EXPECT_FALSE(framework::UnpackPicture(more.data(), more.size(), out, 8));
  const std::vector<std::uint8_t> first = {'T', 'P', 'K', '2', 2, 0, 0, 0, 2, 0, 0, 0, 131};
  EXPECT_FALSE(framework::UnpackPicture(first.data(), first.size(), out, 8));
  std::vector<std::uint8_t> mark = good;
  mark[3] = '1';
  EXPECT_FALSE(framework::UnpackPicture(mark.data(), mark.size(), out, 8));
  std::vector<std::uint8_t> empty = good;
  empty[4] = 0;
  EXPECT_FALSE(framework::UnpackPicture(empty.data(), empty.size(), out, 8));
}

}  // namespace
