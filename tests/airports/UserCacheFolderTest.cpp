#include <gtest/gtest.h>

#include "platform/native/UserCacheFolder.h"

namespace wx {
namespace {

struct FolderCase {
    const char* xdgCacheHome;
    const char* home;
    std::optional<std::string> expected;
};

class UserCacheFolder : public testing::TestWithParam<FolderCase> {};

TEST_P(UserCacheFolder, FollowsTheXdgRules) {
    EXPECT_EQ(userCacheFolder(GetParam().xdgCacheHome, GetParam().home), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, UserCacheFolder,
    testing::Values(FolderCase{"/var/cache/pilot", "/home/pilot", "/var/cache/pilot"},
                    FolderCase{nullptr, "/home/pilot", "/home/pilot/.cache"},
                    FolderCase{"", "/home/pilot", "/home/pilot/.cache"},
                    FolderCase{"relative/cache", "/home/pilot/", "/home/pilot/.cache"},
                    FolderCase{nullptr, "/", "/.cache"}, FolderCase{"/x", nullptr, "/x"},
                    FolderCase{nullptr, nullptr, std::nullopt}, FolderCase{"", "", std::nullopt}));

}  // namespace
}  // namespace wx
