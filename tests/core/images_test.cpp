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
