#include <gtest/gtest.h>

#include <filesystem>

#include "airports/AirportCache.h"
#include "airports/LocalAppDataFolder.h"
#include "platform/PlatformDefaults.h"
#include "platform/win32/LocalAppDataFolder.h"
#include "util/Utf8Path.h"

namespace wx {
namespace {

TEST(ShellFolder, LocalAppDataIsAnExistingAbsoluteFolder) {
    const auto folder = shellLocalAppDataFolder();
    ASSERT_TRUE(folder.has_value());
    EXPECT_TRUE(utf8Path(*folder).is_absolute()) << *folder;
    EXPECT_TRUE(std::filesystem::is_directory(utf8Path(*folder))) << *folder;
}

TEST(ShellFolder, PlatformDefaultsPutTheCacheBesideIt) {
    installPlatformDefaults();
    EXPECT_EQ(cacheDirectory(), *shellLocalAppDataFolder() + "\\.nubiro");
    setDefaultLocalAppDataLookup(nullptr);
}

}  // namespace
}  // namespace wx
