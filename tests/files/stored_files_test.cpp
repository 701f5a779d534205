// The stored-file contract run on the fake platform, whose appends follow the core's rule as the
// front ends' do.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tavori
