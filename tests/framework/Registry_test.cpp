#include "framework/Registry.h"

#include "support/ScopedSettings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace fw;

namespace {

const QString kKey = "Software\\Maker\\Tool\\Common";

// Puts a memory store in place for one test and restores the platform's store afterwards.
class RegistryTest : public ::testing::Test {
protected:
    testsupport::RegistryStoreGuard registry;
    TMemoryRegistryStore* const store = &registry.store();
};

TEST(RegistryPlatform, EveryKeyIsMissing)
{
    TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.KeyExists("Software"));
    EXPECT_FALSE(reg.OpenKeyReadOnly("Software\\Anything"));
    EXPECT_FALSE(reg.ReadInteger("Theme").has_value());
    EXPECT_EQ(CurrentRegistryStore()->Subscribe(HKEY_CURRENT_USER, "Software", true, 15, [] {}), 0);
}

TEST_F(RegistryTest, ReadsValuesOfTheOpenKey)
{
    store->WriteInteger(HKEY_CURRENT_USER, kKey, "Theme", 2);
    store->WriteString(HKEY_CURRENT_USER, kKey, "Name", "blue");

    TRegistry reg;
    EXPECT_TRUE(reg.KeyExists("software\\maker"));        // parents exist, any case
    EXPECT_FALSE(reg.ReadInteger("Theme").has_value());   // no key open yet
    ASSERT_TRUE(reg.OpenKeyReadOnly("SOFTWARE\\Maker\\Tool\\Common\\"));
    EXPECT_EQ(reg.ReadInteger("theme"), 2);
    EXPECT_EQ(reg.ReadString("Name"), QString("blue"));
    EXPECT_FALSE(reg.ReadInteger("Name").has_value());
    EXPECT_TRUE(reg.ValueExists("Name"));
    EXPECT_FALSE(reg.ValueExists("Other"));

    reg.SetRootKey(0x80000002);   // another root sees nothing and closes the key
    EXPECT_FALSE(reg.ValueExists("Theme"));
    EXPECT_FALSE(reg.KeyExists(kKey));
}

TEST_F(RegistryTest, NotifiesMatchingChangesOnly)
{
    store->CreateKey(HKEY_CURRENT_USER, kKey);
    struct TCase {
        const char* name;
        bool subtree;
        unsigned filter;
        QString changedPath;
        bool expectCall;
    };
    const std::vector<TCase> cases = {
        {"value of the key", false, REG_NOTIFY_CHANGE_LAST_SET, kKey, true},
        {"value below, subtree", true, REG_NOTIFY_CHANGE_LAST_SET, kKey + "\\Sub", true},
        {"value below, no subtree", false, REG_NOTIFY_CHANGE_LAST_SET, kKey + "\\Sub", false},
        {"filter excludes values", true, REG_NOTIFY_CHANGE_NAME, kKey, false},
        {"sibling key with same prefix", true, REG_NOTIFY_CHANGE_LAST_SET, kKey + "X", false},
    };
    for (const auto& c : cases) {
        int calls = 0;
        const int id = store->Subscribe(HKEY_CURRENT_USER, kKey, c.subtree, c.filter, [&] { ++calls; });
        ASSERT_NE(id, 0) << c.name;
        store->WriteInteger(HKEY_CURRENT_USER, c.changedPath, "Theme", 1);
        EXPECT_EQ(calls > 0, c.expectCall) << c.name;
        store->Unsubscribe(id);
        store->WriteInteger(HKEY_CURRENT_USER, kKey, "Theme", 2);
        EXPECT_EQ(calls > 0, c.expectCall) << c.name << " (after unsubscribe)";
    }
}

TEST_F(RegistryTest, UnsubscribeWaitsForRunningCallbacks)
{
    store->CreateKey(HKEY_CURRENT_USER, kKey);
    std::atomic<bool> inCallback{false};
    std::atomic<bool> finished{false};
    const int id = store->Subscribe(HKEY_CURRENT_USER, kKey, true, 15, [&] {
        inCallback = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        finished = true;
    });
    std::thread writer([&] { store->WriteInteger(HKEY_CURRENT_USER, kKey, "Theme", 3); });
    while (!inCallback)
        std::this_thread::yield();
    store->Unsubscribe(id);
    EXPECT_TRUE(finished);
    writer.join();
}

TEST_F(RegistryTest, DeleteKeyRemovesSubtree)
{
    store->WriteInteger(HKEY_CURRENT_USER, kKey + "\\General", "x", 1);
    store->DeleteKey(HKEY_CURRENT_USER, "Software\\Maker");
    EXPECT_FALSE(store->KeyExists(HKEY_CURRENT_USER, kKey + "\\General"));
    EXPECT_TRUE(store->KeyExists(HKEY_CURRENT_USER, "Software"));
}

} // namespace
