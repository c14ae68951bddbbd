#include <gtest/gtest.h>

#include <vector>

#include "PluginLogic.h"

namespace {

// A menu as its command ids by position; positions past the end have none.
auto menu(std::vector<int> ids) {
  return [ids](int position) {
    return position >= 0 && position < int(ids.size()) ? ids[std::size_t(position)] : -1;
  };
}

TEST(MenuPosition, MainMenuSearchesFromTheCountDownToOne) {
  EXPECT_EQ(velmo::mainMenuPosition(5, menu({1, 2, 40347, 4, 5})), 3);
  EXPECT_EQ(velmo::mainMenuPosition(5, menu({1, 2, 3, 4, 40347})), 5);  // the last item
  EXPECT_EQ(velmo::mainMenuPosition(5, menu({40347, 2, 3, 4, 5})),
            3);  // position 0 is never looked at
  EXPECT_EQ(velmo::mainMenuPosition(5, menu({1, 40347, 3, 40347, 5})), 4);  // the last one wins
  EXPECT_EQ(velmo::mainMenuPosition(0, menu({})), -2);
}

TEST(MenuPosition, SecondMenuFallsBackToPositionOne) {
  EXPECT_EQ(velmo::secondMenuPosition(4, menu({1, 40347, 3, 4})), 2);
  EXPECT_EQ(velmo::secondMenuPosition(4, menu({1, 2, 3, 4})), 1);
  EXPECT_EQ(velmo::secondMenuPosition(4, menu({40347, 2, 3, 4})), 1);
}

TEST(FormatBounded, BoundsAndErrors) {
  char16_t buffer[16];
  EXPECT_EQ(velmo::formatBounded(buffer, 16, u"Orva v%s", u"4.0"), velmo::FormatResult::Ok);
  EXPECT_EQ(std::u16string(buffer), u"Orva v4.0");
  EXPECT_EQ(velmo::formatBounded(buffer, 0, u"x", u""), velmo::FormatResult::InvalidArgument);
  EXPECT_EQ(velmo::formatBounded(buffer, std::size_t(1) << 40, u"x", u""),
            velmo::FormatResult::InvalidArgument);
  EXPECT_EQ(velmo::formatBounded(buffer, 8, u"Orva v%s - Informacje", u"4.0"),
            velmo::FormatResult::InsufficientBuffer);
  EXPECT_EQ(std::u16string(buffer), u"Orva v4");  // truncated and terminated
  EXPECT_EQ(velmo::formatBounded(buffer, 5, u"100%%", u""), velmo::FormatResult::Ok);
  EXPECT_EQ(std::u16string(buffer), u"100%");
  EXPECT_EQ(velmo::formatBounded(buffer, 1, u"a", u""), velmo::FormatResult::InsufficientBuffer);
  EXPECT_EQ(std::u16string(buffer), u"");
}

}  // namespace
