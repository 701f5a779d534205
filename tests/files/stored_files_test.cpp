// The stored-file rules the front ends share: the choice of the configuration folder, and the
// stored-file contract run on the fake platform, whose appends follow the core's rule.
#include <gtest/gtest.h>

#include "files/configuration_folder.h"
#include "support/fake_platform.h"
#include "support/stored_file_contract.h"

namespace tavori {
namespace {

struct FakeStoredFileTraits {
    using Store = testing::FakePlatform;
    static std::unique_ptr<Store> make() { return std::make_unique<Store>(); }
    static Platform& platform(Store& store) { return store; }
    static bool folderExists(Store& store) { return !store.storedFiles.empty(); }
    static std::vector<std::string> entries(Store& store) {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : store.storedFiles) names.push_back(name);
        return names;
    }
    static std::string expectedPath(Store& /*store*/, std::string_view name) {
        return "/home/reader/.config/tavori/" + std::string(name);
    }
    static void breakFolder(Store& store) { store.storedWritesFail = true; }
    static void mendFolder(Store& store) { store.storedWritesFail = false; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, StoredFileContract, FakeStoredFileTraits);
// The fake's files are one program's: the contract for two at once runs on the front ends'.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(SharedStoredFileContract);

TEST(ConfigurationFolder, ChosenWinsThenAFullSystemFolderThenTheFallbackAskedOnlyThen) {
    using Choice = std::optional<ConfigurationFolderChoice>;
    const struct {
        std::string_view chosen, systemBase;
        PathStyle style;
        std::optional<std::string> fallback;
        Choice expected;
    } cases[] = {
        {"/mine", "/xdg", PathStyle::Posix, "/home/r/.config", ConfigurationFolderChoice{"/mine", false}},
        {"relative", "", PathStyle::Posix, "/home/r/.config", ConfigurationFolderChoice{"relative", false}},
        {"", "/xdg", PathStyle::Posix, "/home/r/.config", ConfigurationFolderChoice{"/xdg", true}},
        {"", "xdg", PathStyle::Posix, "/home/r/.config", ConfigurationFolderChoice{"/home/r/.config", true}},
        {"", "", PathStyle::Posix, "/home/r/.config", ConfigurationFolderChoice{"/home/r/.config", true}},
        {"", "ad", PathStyle::Windows, "C:\\shell", ConfigurationFolderChoice{"ad", true}},
        {"", "", PathStyle::Windows, "C:\\shell", ConfigurationFolderChoice{"C:\\shell", true}},
        {"", "", PathStyle::Windows, std::nullopt, std::nullopt},
    };
    for (const auto& each : cases) {
        int asked = 0;
        const Choice choice = chooseConfigurationFolder(each.chosen, each.systemBase, each.style, [&] {
            ++asked;
            return each.fallback;
        });
        EXPECT_EQ(choice, each.expected) << each.chosen << " | " << each.systemBase;
        EXPECT_EQ(asked, each.chosen.empty() && (!choice || choice->base == each.fallback) ? 1 : 0) << each.chosen;
    }
}

}  // namespace
}  // namespace tavori
