#pragma once
// Which pictures the wizard asks the image library for, and how it puts
// them into picture controls and image lists.
#include <array>
#include <vector>

#include "platform/Platform.h"
#include "ui/Form.h"

namespace lingvora {

// "96", "120", "144" or "192" for the screen density at start.
Text densityBucket(int density);

// Every picture name, composed in one place for the pages and the builder.
namespace pictureName {
Text header(TextView mode, TextView bucket);
Text tall(TextView mode, TextView bucket);  // Welcome and Finish pages
Text langPack(TextView mode, TextView bucket);
Text langPackDisabled(TextView mode, TextView bucket);
Text helpPlugin(TextView mode, TextView bucket);
Text classicSkin(TextView mode, TextView bucket);
Text additionalPlugin(TextView mode, TextView bucket);
Text info(TextView mode, TextView bucket);
Text infoUnknown(TextView bucket);
Text directoryError(TextView bucket);
Text installConfig(TextView bucket);
Text installSuccess(TextView bucket);
Text installFailed(TextView bucket);
Text payPalNormal(TextView bucket);
Text payPalActive(TextView bucket);
Text payPalClick(TextView bucket);
Text flag(TextView languageId, TextView bucket);
// Unchecked, checked, mixed, disabled.
std::array<Text, 4> checkStates(bool dark);
}  // namespace pictureName

inline constexpr std::array<const char16_t*, 4> kDensityBuckets = {u"96", u"120", u"144", u"192"};

// Every PNG name the wizard may ask for with that MODE and those languages,
// in all buckets; and the eight check-state bitmaps.
std::vector<Text> allPictureNames(TextView mode, const std::vector<Text>& languageIds);
std::vector<Text> allBitmapNames();

// Puts the named PNG of the library into the picture control; a missing
// library or name, or data that does not decode, leaves it as it was.
void loadPicture(ImageLibrary& library, const Text& libraryPath, const Text& name,
                 Control& picture);
// Appends the named bitmap with its magenta mask; nothing on failure.
void loadImageListBitmap(ImageLibrary& library, const Text& libraryPath, const Text& name,
                         Control& list);

// Fills a tree's state-image list anew: a blank image at position 0, then
// the named bitmaps in order. A missing or broken bitmap becomes a blank
// too, so that every image stays at the position its state code names.
void fillStateImages(ImageLibrary& library, const Text& libraryPath,
                     const std::array<Text, 4>& names, Control& list);

}  // namespace lingvora
