#include <fstream>
#include <iterator>

#include "Pack.h"
#include "images/Pictures.h"
#include "pe/PeResources.h"

namespace lingvora::test {
namespace {

Bytes exampleLibrary() {
  std::ifstream in(LINGVORA_EXAMPLE_PIXORA, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

const Text kLib = u"C:\\Pack\\Pixora.dll";

struct Library {
  fake::FakePlatform p;
  Library() { p.files.putBytes(kLib, exampleLibrary()); }
};

TEST(DensityBucket, Table) {
  for (auto [dpi, bucket] : {std::pair{72, u"96"},
                             {96, u"96"},
                             {119, u"96"},
                             {120, u"120"},
                             {143, u"120"},
                             {144, u"144"},
                             {191, u"144"},
                             {192, u"192"},
                             {288, u"192"}})
    EXPECT_EQ(densityBucket(dpi), bucket) << dpi;
  EXPECT_EQ(pictureName::header(u"WACUP", densityBucket(144)), u"HEADER_WACUP_144");
  EXPECT_EQ(pictureName::tall(u"WINAMP", u"96"), u"WINAMP_96");
  EXPECT_EQ(pictureName::flag(u"1045", u"120"), u"FLAG_1045_120");
  EXPECT_EQ(pictureName::checkStates(true)[2], u"APP_STATE_DARK_MIXED");
}

TEST(LoadPicture, FromTheExampleLibrary) {
  Library lib;
  Form form;
  Control img{form, "Img", ControlKind::Picture, nullptr};
  loadPicture(lib.p.images, kLib, pictureName::header(u"WINAMP", u"96"), img);
  ASSERT_TRUE(img.picture);
  EXPECT_EQ(img.picture->width, 48);
  EXPECT_EQ(img.picture->height, 59);
  loadPicture(lib.p.images, kLib, u"winamp_192", img);  // names without regard to case
  ASSERT_TRUE(img.picture);
  EXPECT_EQ(img.picture->width, 370);
  // Premultiplied: no colour channel exceeds its alpha.
  for (std::size_t i = 0; i < img.picture->bgra.size(); i += 4)
    ASSERT_LE(img.picture->bgra[i], img.picture->bgra[i + 3]);
}

TEST(LoadPicture, FailuresLeaveThePreviousPicture) {
  Library lib;
  Form form;
  Control img{form, "Img", ControlKind::Picture, nullptr};
  loadPicture(lib.p.images, kLib, u"INFO_WINAMP_96", img);
  auto before = img.picture;
  ASSERT_TRUE(before);
  loadPicture(lib.p.images, u"C:\\Pack\\Missing.dll", u"INFO_WINAMP_96", img);
  loadPicture(lib.p.images, kLib, u"NO_SUCH_PICTURE_96", img);
  loadPicture(lib.p.images, kLib, u"APP_STATE_CHECK", img);  // a bitmap, not a picture
  EXPECT_EQ(img.picture, before);
}

TEST(DecodePng, DamagedDataGivesNoPicture) {
  Library lib;
  auto png = lib.p.images.resource(kLib, LibraryResource::Picture, u"WACUP_144");
  ASSERT_TRUE(png);
  ASSERT_TRUE(decodePng(*png));
  for (std::size_t cut : {std::size_t(0), std::size_t(7), std::size_t(8), std::size_t(33),
                          std::size_t(100), png->size() / 2, png->size() - 1}) {
    Bytes truncated(png->begin(), png->begin() + std::ptrdiff_t(cut));
    EXPECT_FALSE(decodePng(truncated)) << cut;
  }
  Bytes corrupt = *png;
  for (std::size_t i = 40; i < corrupt.size(); i += 97) corrupt[i] ^= 0x5A;
  EXPECT_FALSE(decodePng(corrupt));

  // A picture that swaps in garbage still clears the control: no half picture.
  Form form;
  Control img{form, "Img", ControlKind::Picture, nullptr};
  img.picture = std::make_shared<const Image>(*decodePng(*png));
  struct Garbage : ImageLibrary {
    std::optional<Bytes> resource(const Text&, LibraryResource, const Text&) override {
      return Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0};
    }
  } garbage;
  loadPicture(garbage, kLib, u"ANY", img);
  EXPECT_FALSE(img.picture);
}

TEST(DecodePng, RoundTripAndSizeLimit) {
  Image small{2, 1, {10, 20, 30, 128, 0, 0, 0, 0}};
  auto back = decodePng(encodePng(small));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, 2);
  EXPECT_NEAR(back->bgra[0], 10, 1);
  EXPECT_EQ(back->bgra[3], 128);
  EXPECT_EQ(back->bgra[7], 0);
  Image wide{kMaxImageSide + 1, 1, Bytes(std::size_t(kMaxImageSide + 1) * 4, 255)};
  EXPECT_FALSE(decodePng(encodePng(wide)));
}

TEST(LoadImageListBitmap, MagentaBecomesTheMask) {
  Library lib;
  Form form;
  Control list{form, "IL", ControlKind::ImageList, nullptr};
  for (const Text& name : pictureName::checkStates(false))
    loadImageListBitmap(lib.p.images, kLib, name, list);
  loadImageListBitmap(lib.p.images, kLib, u"APP_STATE_NONE", list);
  loadImageListBitmap(lib.p.images, u"C:\\Missing.dll", u"APP_STATE_CHECK", list);
  ASSERT_EQ(list.images.size(), 4u);
  const MaskedImage& check = list.images[1];
  EXPECT_EQ(check.image.width, 16);
  EXPECT_EQ(check.image.height, 16);
  EXPECT_EQ(check.mask[0], 1);           // the magenta corner
  EXPECT_EQ(check.mask[8 * 16 + 8], 0);  // inside the box
  EXPECT_EQ(check.image.bgra[3], 0);
}

TEST(DecodeBitmap, DamagedHeadersAreRefused) {
  Library lib;
  auto bmp = lib.p.images.resource(kLib, LibraryResource::Bitmap, u"APP_STATE_MIXED");
  ASSERT_TRUE(bmp);
  ASSERT_TRUE(decodeBitmapResource(*bmp));
  EXPECT_FALSE(decodeBitmapResource(Bytes(bmp->begin(), bmp->begin() + 60)));
  Bytes huge = *bmp;
  huge[4] = 0xFF, huge[5] = 0xFF, huge[6] = 0xFF, huge[7] = 0x7F;  // width 2^31 - 1
  EXPECT_FALSE(decodeBitmapResource(huge));
  Bytes rle = *bmp;
  rle[16] = 1;  // compressed
  EXPECT_FALSE(decodeBitmapResource(rle));
}

// A two-pixel bitmap, top-down (magenta, then red 0x30, green 0x20, blue
// 0x10; pixel bytes blue first): header of the given size, then the masks
// (bit fields after a plain header), a colour table, then the pixels.
Bytes twoPixels(std::uint32_t headerSize, std::uint16_t bits, std::uint32_t compression,
                std::vector<std::uint32_t> masks, std::uint32_t tableEntries,
                std::vector<std::uint8_t> pixels) {
  Bytes b(headerSize, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
  };
  put32(0, headerSize);
  put32(4, 2);
  put32(8, std::uint32_t(-1));  // one row, top-down
  b[12] = 1;
  b[14] = std::uint8_t(bits);
  put32(16, compression);
  put32(32, tableEntries);
  if (headerSize > 40)
    for (std::size_t i = 0; i < masks.size(); ++i) put32(40 + 4 * i, masks[i]);
  else
    for (std::uint32_t m : masks)
      for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(m >> (8 * i)));
  b.insert(b.end(), std::size_t(tableEntries) * 4, 0x11);  // a table the pixels must skip
  pixels.resize((pixels.size() + 3) / 4 * 4, 0);
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

TEST(DecodeBitmap, TrueColourVariants) {
  const std::vector<std::uint32_t> bgr32 = {0xFF0000, 0xFF00, 0xFF};
  struct {
    const char* name;
    Bytes data;
  } cases[] = {
      {"32-bit bit fields after the header",
       twoPixels(40, 32, 3, bgr32, 0, {0xFF, 0, 0xFF, 0, 0x10, 0x20, 0x30, 0})},
      {"32-bit bit fields inside a version 5 header",
       twoPixels(124, 32, 3, bgr32, 0, {0xFF, 0, 0xFF, 0, 0x10, 0x20, 0x30, 0})},
      {"24-bit with a colour table before the pixels",
       twoPixels(40, 24, 0, {}, 2, {0xFF, 0, 0xFF, 0x10, 0x20, 0x30})},
      {"16-bit, five bits a channel", twoPixels(40, 16, 0, {}, 0, {0x1F, 0x7C, 0x82, 0x18})},
      {"16-bit bit fields, 5-6-5",
       twoPixels(40, 16, 3, {0xF800, 0x07E0, 0x001F}, 0, {0x1F, 0xF8, 0x02, 0x31})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto image = decodeBitmapResource(c.data);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->mask, (std::vector<std::uint8_t>{1, 0}));
    const std::uint8_t* second = &image->image.bgra[4];
    EXPECT_NEAR(second[2], 0x30, 8);  // red
    EXPECT_NEAR(second[1], 0x20, 8);  // green
    EXPECT_NEAR(second[0], 0x10, 8);  // blue
    EXPECT_EQ(second[3], 0xFF);
  }
  // Bit fields belong to packed pixels; a table the data cannot hold is damage.
  EXPECT_FALSE(decodeBitmapResource(twoPixels(40, 24, 3, bgr32, 0, {0, 0, 0, 0, 0, 0})));
  Bytes shortTable = twoPixels(40, 24, 0, {}, 2, {0, 0, 0, 0, 0, 0});
  shortTable[32] = 200;
  EXPECT_FALSE(decodeBitmapResource(shortTable));
}

TEST(PeResources, DamagedLibrariesFindNothingAndNeverCrash) {
  const Bytes dll = exampleLibrary();
  ASSERT_GT(dll.size(), 4096u);
  const ResourceId rcdata = ResourceId::of(kResourceRcData);
  const ResourceId name = ResourceId::of(Text(u"HEADER_WINAMP_96"));
  ASSERT_TRUE(findPeResource(dll, rcdata, name));
  EXPECT_FALSE(findPeResource(dll, ResourceId::of(kResourceVersion), name));

  // Every truncation: found only when the data is still there, never a crash.
  for (std::size_t cut = 0; cut < dll.size(); cut += 16411)
    findPeResource(Bytes(dll.begin(), dll.begin() + std::ptrdiff_t(cut)), rcdata, name);
  EXPECT_FALSE(findPeResource(Bytes(dll.begin(), dll.begin() + 1024), rcdata, name));
  // Flipped bytes across the headers and the resource directory.
  Bytes damaged = dll;
  for (std::size_t i = 0; i < 4096; ++i) {
    damaged[i] ^= 0xFF;
    findPeResource(damaged, rcdata, name);
    damaged[i] ^= 0xFF;
  }
  EXPECT_FALSE(findPeResource(Bytes{'M', 'Z'}, rcdata, name));
  EXPECT_FALSE(findPeResource(Bytes(), rcdata, name));
}

TEST(PeResources, ADirectoryPointingAtItselfStopsTheWalk) {
  // Locate the resource root through the headers, then make its first entry
  // point back at the root directory.
  Bytes dll = exampleLibrary();
  auto u32 = [&](std::size_t at) {
    return std::uint32_t(dll[at]) | dll[at + 1] << 8 | dll[at + 2] << 16 |
           std::uint32_t(dll[at + 3]) << 24;
  };
  const std::size_t pe = u32(0x3C), opt = pe + 24;
  const std::uint32_t rva = u32(opt + 96 + 16);
  const std::size_t sections = opt + (dll[pe + 20] | dll[pe + 21] << 8);
  std::size_t root = 0;
  for (std::size_t s = sections; s < sections + 40 * 8; s += 40)
    if (u32(s + 12) == rva) root = u32(s + 20);
  ASSERT_NE(root, 0u);
  const std::size_t firstEntry = root + 16;
  for (int k = 0; k < 4; ++k) dll[firstEntry + 4 + k] = k == 3 ? 0x80 : 0;  // subdirectory at 0
  EXPECT_FALSE(findPeResource(dll, ResourceId::of(kResourceBitmap),
                              ResourceId::of(Text(u"APP_STATE_CHECK"))));
}

}  // namespace
}  // namespace lingvora::test
