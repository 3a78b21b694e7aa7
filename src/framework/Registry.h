#pragma once
// Per-user settings registry as the desktop offers it: keys with named integer
// and text values under a root, and notification when something below a key
// changes. This platform has no such service, so the installed store answers
// "not found" for every key and never notifies; callers then use their defaults.
// Tests install a memory store to drive the callers' other paths.
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace fw {

using TRootKey = std::uint32_t;
constexpr TRootKey HKEY_CURRENT_USER = 0x80000001;

// What a change notification watches (bits may be combined).
constexpr unsigned REG_NOTIFY_CHANGE_NAME = 1;
constexpr unsigned REG_NOTIFY_CHANGE_ATTRIBUTES = 2;
constexpr unsigned REG_NOTIFY_CHANGE_LAST_SET = 4;
constexpr unsigned REG_NOTIFY_CHANGE_SECURITY = 8;

// The platform's key store. Implementations must be safe to call from any thread;
// the change callback may run on the thread that made the change.
class TRegistryStore {
public:
    virtual ~TRegistryStore() = default;
    virtual bool KeyExists(TRootKey root, const QString& path) const = 0;
    virtual std::optional<int> ReadInteger(TRootKey root, const QString& path, const QString& name) const = 0;
    virtual std::optional<QString> ReadString(TRootKey root, const QString& path, const QString& name) const = 0;
    // Calls `changed` for every later change at or (with `subtree`) below the key that
    // matches `filter`; returns a subscription id for Unsubscribe, 0 when the key is missing.
    virtual int Subscribe(TRootKey root, const QString& path, bool subtree, unsigned filter,
                          std::function<void()> changed) = 0;
    virtual void Unsubscribe(int id) = 0;
};

// The store in use. Paths compare case-insensitively and "\" separates levels.
std::shared_ptr<TRegistryStore> CurrentRegistryStore();
// Installs a store (nullptr restores the platform's empty store); returns the previous one.
std::shared_ptr<TRegistryStore> SetRegistryStore(std::shared_ptr<TRegistryStore> store);

// A store kept in memory: the empty store of this platform, and the one tests fill.
class TMemoryRegistryStore : public TRegistryStore {
public:
    TMemoryRegistryStore();
    ~TMemoryRegistryStore() override;

    bool KeyExists(TRootKey root, const QString& path) const override;
    std::optional<int> ReadInteger(TRootKey root, const QString& path, const QString& name) const override;
    std::optional<QString> ReadString(TRootKey root, const QString& path, const QString& name) const override;
    int Subscribe(TRootKey root, const QString& path, bool subtree, unsigned filter,
                  std::function<void()> changed) override;
    void Unsubscribe(int id) override;

    // Changes; each notifies matching subscribers after the store is updated.
    void CreateKey(TRootKey root, const QString& path);
    void WriteInteger(TRootKey root, const QString& path, const QString& name, int value);
    void WriteString(TRootKey root, const QString& path, const QString& name, const QString& value);
    void DeleteKey(TRootKey root, const QString& path);

private:
    struct TImpl;
    std::unique_ptr<TImpl> d;
};

// Read access to one key at a time, under the current-user root by default.
class TRegistry {
public:
    TRegistry();
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    TRootKey RootKey() const;
    void SetRootKey(TRootKey root);

    bool KeyExists(const QString& path) const;
    // False when the key does not exist; the accessor then has no open key.
    bool OpenKeyReadOnly(const QString& path);
    void CloseKey();
    QString CurrentPath() const;

    bool ValueExists(const QString& name) const;
    // The value of the open key; nothing when no key is open or the value is missing.
    std::optional<int> ReadInteger(const QString& name) const;
    std::optional<QString> ReadString(const QString& name) const;

private:
    TRootKey FRoot = HKEY_CURRENT_USER;
    QString FPath;
    bool FOpen = false;
};

} // namespace fw
