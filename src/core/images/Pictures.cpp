#include "images/Pictures.h"

namespace lingvora {

Text densityBucket(int density) {
  if (density >= 192) return u"192";
  if (density >= 144) return u"144";
  if (density >= 120) return u"120";
  return u"96";
}

namespace pictureName {
namespace {
Text moded(TextView prefix, TextView mode, TextView bucket) {
  return Text(prefix) + Text(mode) + u"_" + Text(bucket);
}
}  // namespace
Text header(TextView m, TextView b) { return moded(u"HEADER_", m, b); }
Text tall(TextView m, TextView b) { return moded(u"", m, b); }
Text langPack(TextView m, TextView b) { return moded(u"LANGPACK_", m, b); }
Text langPackDisabled(TextView m, TextView b) { return moded(u"LANGPACK_DISABLED_", m, b); }
Text helpPlugin(TextView m, TextView b) { return moded(u"HELP_PLUGIN_", m, b); }
Text classicSkin(TextView m, TextView b) { return moded(u"CLASSIC_SKIN_", m, b); }
Text additionalPlugin(TextView m, TextView b) { return moded(u"ADDITIONAL_PLUGIN_", m, b); }
Text info(TextView m, TextView b) { return moded(u"INFO_", m, b); }
Text infoUnknown(TextView b) { return u"INFO_UNKNOWN_" + Text(b); }
Text directoryError(TextView b) { return u"DIRECTORY_ERROR_" + Text(b); }
Text installConfig(TextView b) { return u"INSTALL_CONFIG_" + Text(b); }
Text installSuccess(TextView b) { return u"INSTALL_SUCCESS_" + Text(b); }
Text installFailed(TextView b) { return u"INSTALL_FAILED_" + Text(b); }
Text payPalNormal(TextView b) { return u"PAYPAL_NORMAL_" + Text(b); }
Text payPalActive(TextView b) { return u"PAYPAL_ACTIVE_" + Text(b); }
Text payPalClick(TextView b) { return u"PAYPAL_CLICK_" + Text(b); }
Text flag(TextView id, TextView b) { return moded(u"FLAG_", id, b); }
std::array<Text, 4> checkStates(bool dark) {
  const Text p = dark ? u"APP_STATE_DARK_" : u"APP_STATE_";
  return {p + u"UNCHECK", p + u"CHECK", p + u"MIXED", p + u"DISABLED"};
}
}  // namespace pictureName

std::vector<Text> allPictureNames(TextView mode, const std::vector<Text>& languageIds) {
  namespace n = pictureName;
  std::vector<Text> names;
  for (const char16_t* bucket : kDensityBuckets) {
    for (auto f : {n::header, n::tall, n::langPack, n::langPackDisabled, n::helpPlugin,
                   n::classicSkin, n::additionalPlugin, n::info})
      names.push_back(f(mode, bucket));
    for (auto f : {n::infoUnknown, n::directoryError, n::installConfig, n::installSuccess,
                   n::installFailed, n::payPalNormal, n::payPalActive, n::payPalClick})
      names.push_back(f(bucket));
    for (const Text& id : languageIds) names.push_back(n::flag(id, bucket));
  }
  return names;
}

std::vector<Text> allBitmapNames() {
  std::vector<Text> names;
  for (bool dark : {false, true})
    for (const Text& name : pictureName::checkStates(dark)) names.push_back(name);
  return names;
}

void loadPicture(ImageLibrary& library, const Text& path, const Text& name, Control& picture) {
  auto data = library.resource(path, LibraryResource::Picture, name);
  if (!data) return;
  // The old picture goes only once the new one exists, so that the new one
  // never takes the old one's place in memory: the renderer tells pictures
  // apart by their address.
  auto image = decodePng(*data);
  picture.picture = image ? std::make_shared<const Image>(std::move(*image)) : nullptr;
}

void loadImageListBitmap(ImageLibrary& library, const Text& path, const Text& name, Control& list) {
  auto data = library.resource(path, LibraryResource::Bitmap, name);
  if (!data) return;
  if (auto image = decodeBitmapResource(*data)) list.images.push_back(std::move(*image));
}

namespace {
// Fully transparent: the mask covers every pixel.
MaskedImage blankImage(int width, int height) {
  const std::size_t pixels = std::size_t(width) * std::size_t(height);
  return {{width, height, Bytes(pixels * 4, 0)}, Bytes(pixels, 1)};
}
}  // namespace

void fillStateImages(ImageLibrary& library, const Text& path, const std::array<Text, 4>& names,
                     Control& list) {
  std::array<std::optional<MaskedImage>, 4> found;
  // The blanks take the size of the library's own images (16 x 16 if none).
  int width = 16, height = 16;
  for (std::size_t i = names.size(); i-- > 0;) {
    if (auto data = library.resource(path, LibraryResource::Bitmap, names[i]))
      found[i] = decodeBitmapResource(*data);
    if (found[i]) width = found[i]->image.width, height = found[i]->image.height;
  }
  list.images.assign(1, blankImage(width, height));
  for (auto& image : found) {
    const bool fits = image && image->image.width == width && image->image.height == height;
    list.images.push_back(fits ? std::move(*image) : blankImage(width, height));
  }
}

}  // namespace lingvora
