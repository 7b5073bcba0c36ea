#include "ui/widgets/ansi_text.h"

#include <gtest/gtest.h>

#include "ui/widgets/widget_test_helpers.h"

namespace scriptdesk {
namespace {

// The refusal names the first character without a byte, whole even outside the BMP.
TEST(AnsiText, RefusalNamesTheFirstCharacterTheCodePageLacks) {
  const struct {
    const char* text;
    const char* named;
  } cases[] = {{"Caf\u00E9 \u03A9\u2603", "\u03A9"},
               {"\U0001F600 and \u03A9", "\U0001F600"},
               {"\u20AC\u2603", "\u2603"}};  // the euro sign is byte 0x80
  for (const auto& c : cases) {
    EXPECT_EQ(AnsiRefusalText(QString::fromUtf8(c.text)),
              "\"" + QString::fromUtf8(c.named) +
                  "\" is not in the ANSI code page, so it cannot be written into the script files.")
        << c.text;
  }
}

}  // namespace
}  // namespace scriptdesk
