#include "app/main_window.h"

#include <gtest/gtest.h>

namespace zorbel {
namespace {

TEST(MainWindow, StartsWithNoImageAndTheEditorCaption) {
    TSDIAppForm window;
    EXPECT_EQ(window.objectName(), "SDIAppForm");
    EXPECT_EQ(window.windowTitle(), "WarCraft II EXE Editor");
    EXPECT_FALSE(window.image().held());
    window.show();
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace zorbel
