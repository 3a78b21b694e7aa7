#include "grid/foundation/FxStyleIF.h"
#include "grid/foundation/FxXPVS.h"
#include "support/ScopedSettings.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QWidget>

using fw::HKEY_CURRENT_USER;

namespace {

const QString k12 = "Software\\Microsoft\\Office\\12.0\\Common";
const QString k14 = "Software\\Microsoft\\Office\\14.0\\Common";

class ThemeTest : public ::testing::Test {
protected:
    testsupport::RegistryStoreGuard registry;
    fw::TMemoryRegistryStore* const store = &registry.store();
};

// Counts the theme events it receives.
class Receiver : public QObject {
public:
    int events = 0;
    QString key;
    bool event(QEvent* e) override
    {
        if (e->type() == TOfficeThemeChangeEvent::EventType()) {
            ++events;
            key = static_cast<TOfficeThemeChangeEvent*>(e)->Key();
            return true;
        }
        return QObject::event(e);
    }
};

TEST(ThemeDetection, PlatformDefaults)
{
    EXPECT_EQ(DetectOfficeVersion(), 0);
    EXPECT_EQ(DetectXPColorScheme(), 0);
    EXPECT_EQ(DetectOfficeTheme(), ot2003Classic);
    EXPECT_TRUE(WindowsVistaOrLater());
    EXPECT_EQ(DefaultUIFontName(), "Segoe UI");

    TThemeNotifier notifier(nullptr);
    EXPECT_FALSE(notifier.IsWatching());
    QObject window;
    notifier.RegisterWindow(&window);   // nothing to register with, and no crash
    notifier.UnRegisterWindow(&window);
}

TEST_F(ThemeTest, ThemeFromRegistry)
{
    struct TCase {
        const char* name;
        std::optional<int> theme14, theme12;
        TOfficeTheme expected;
    };
    const std::vector<TCase> cases = {
        {"2010 blue", 1, std::nullopt, ot2010Blue},
        {"2010 silver wins over 2007", 2, 3, ot2010Silver},
        {"2010 black", 3, std::nullopt, ot2010Black},
        {"unknown 2010 value stops the search", 5, 1, ot2003Blue},
        {"2007 blue", std::nullopt, 1, ot2007Blue},
        {"2007 silver", std::nullopt, 2, ot2007Silver},
        {"2007 black", std::nullopt, 3, ot2007Black},
        {"unknown 2007 value", std::nullopt, 0, ot2003Blue},
        {"neither", std::nullopt, std::nullopt, ot2003Classic},
    };
    for (const auto& c : cases) {
        store->DeleteKey(HKEY_CURRENT_USER, "Software");
        if (c.theme14)
            store->WriteInteger(HKEY_CURRENT_USER, k14, "Theme", *c.theme14);
        if (c.theme12)
            store->WriteInteger(HKEY_CURRENT_USER, k12, "Theme", *c.theme12);
        EXPECT_EQ(DetectOfficeTheme(), c.expected) << c.name;
    }
    // A key without the value falls through to the next version.
    store->DeleteKey(HKEY_CURRENT_USER, "Software");
    store->CreateKey(HKEY_CURRENT_USER, k14);
    store->WriteInteger(HKEY_CURRENT_USER, k12, "Theme", 2);
    EXPECT_EQ(DetectOfficeTheme(), ot2007Silver);
}

TEST_F(ThemeTest, OfficeVersionFromInstallKeys)
{
    store->CreateKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\11.0\\Common\\General");
    EXPECT_EQ(DetectOfficeVersion(), 0);
    store->CreateKey(HKEY_CURRENT_USER, k12 + "\\General");
    EXPECT_EQ(DetectOfficeVersion(), 1);
    store->CreateKey(HKEY_CURRENT_USER, k14 + "\\General");
    EXPECT_EQ(DetectOfficeVersion(), 2);
}

TEST_F(ThemeTest, NotifierDeliversThemeChanges)
{
    store->CreateKey(HKEY_CURRENT_USER, k14 + "\\General");
    QWidget owner;
    auto* notifier = new TThemeNotifier(&owner);
    ASSERT_TRUE(notifier->IsWatching());
    int notifierCalls = 0;
    QObject* sender = nullptr;
    notifier->OnOfficeThemeChange = [&](QObject* s) {
        ++notifierCalls;
        sender = s;
    };

    Receiver a, b;
    notifier->RegisterWindow(&a);
    notifier->RegisterWindow(&a);
    notifier->RegisterWindow(&b);
    EXPECT_EQ(notifier->MonitorThread()->Handles().Count(), 2);

    store->WriteInteger(HKEY_CURRENT_USER, k14, "Theme", 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return a.events == 1 && b.events == 1 && notifierCalls == 1; }, 1000));
    EXPECT_EQ(sender, notifier);
    EXPECT_EQ(a.key, k14);

    notifier->UnRegisterWindow(&a);
    store->WriteInteger(HKEY_CURRENT_USER, k14, "Theme", 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.events == 2; }, 1000));
    EXPECT_EQ(a.events, 1);

    // Changes elsewhere do not count.
    store->WriteInteger(HKEY_CURRENT_USER, k12, "Theme", 3);
    QTest::qWait(1000);
    EXPECT_EQ(b.events, 2);

    delete notifier;   // joins the watch thread
}

TEST_F(ThemeTest, NotifierStopsWhileChangesArrive)
{
    store->CreateKey(HKEY_CURRENT_USER, k12 + "\\General");
    for (int round = 0; round < 20; ++round) {
        Receiver r;
        auto notifier = std::make_unique<TThemeNotifier>(nullptr);
        notifier->RegisterWindow(&r);
        std::thread writer([&] {
            for (int i = 0; i < 50; ++i)
                store->WriteInteger(HKEY_CURRENT_USER, k12, "Theme", i);
        });
        notifier.reset();
        writer.join();
        QCoreApplication::processEvents();   // nothing queued may reach the gone notifier
    }
}

TEST_F(ThemeTest, MonitorReportsMissingKey)
{
    TRegMonitorThread thread(HKEY_CURRENT_USER, "Software\\Nothing", true, 0, nullptr);
    thread.Start();
    thread.WaitFor();
    EXPECT_EQ(thread.ErrorText(), "Unable to open registry key Software\\Nothing");
}

TEST_F(ThemeTest, SharedNotifierIsCreatedOnce)
{
    QObject owner;
    TThemeNotifier* n = SharedThemeNotifier(&owner);
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(SharedThemeNotifier(nullptr), n);
    delete n;   // forgets the shared one
    QObject other;
    TThemeNotifier* again = SharedThemeNotifier(&other);
    EXPECT_NE(again, nullptr);
    EXPECT_EQ(again->parent(), &other);
    delete again;
}

TEST(HandleList, KeepsOrderAndRemovesFirstMatch)
{
    THandleList list;
    QObject a, b, c;
    list.Add(&a);
    list.Add(&b);
    list.Insert(0, &c);
    list.Add(&a);
    EXPECT_EQ(list.Snapshot(), (std::vector<QObject*>{&c, &a, &b, &a}));
    list.DeleteValue(&a);
    EXPECT_EQ(list.Snapshot(), (std::vector<QObject*>{&c, &b, &a}));
    list.Delete(0);
    list.Set(1, &c);
    EXPECT_EQ(list.Snapshot(), (std::vector<QObject*>{&b, &c}));
    EXPECT_FALSE(list.HasValue(&a));
    list.Delete(7);   // out of range: ignored
    EXPECT_EQ(list.Count(), 2);
}

} // namespace
