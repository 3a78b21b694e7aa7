#include "framework/Registry.h"

#include <QHash>
#include <QMap>

#include <map>
#include <mutex>
#include <vector>

namespace fw {

namespace {

QString normalisedPath(const QString& path)
{
    QString p = path.toLower();
    while (p.startsWith(u'\\'))
        p.remove(0, 1);
    while (p.endsWith(u'\\'))
        p.chop(1);
    return p;
}

struct TKeyId {
    TRootKey root;
    QString path;
    friend bool operator==(const TKeyId&, const TKeyId&) = default;
};

size_t qHash(const TKeyId& k, size_t seed = 0) { return ::qHash(k.path, seed) ^ k.root; }

std::mutex gStoreMutex;
std::shared_ptr<TRegistryStore>& storeSlot()
{
    static std::shared_ptr<TRegistryStore> store = std::make_shared<TMemoryRegistryStore>();
    return store;
}

} // namespace

std::shared_ptr<TRegistryStore> CurrentRegistryStore()
{
    std::lock_guard lock(gStoreMutex);
    return storeSlot();
}

std::shared_ptr<TRegistryStore> SetRegistryStore(std::shared_ptr<TRegistryStore> store)
{
    std::lock_guard lock(gStoreMutex);
    auto previous = storeSlot();
    storeSlot() = store ? std::move(store) : std::make_shared<TMemoryRegistryStore>();
    return previous;
}

// ---- memory store --------------------------------------------------------------------------

struct TMemoryRegistryStore::TImpl {
    struct TValues {
        QMap<QString, int> integers;
        QMap<QString, QString> strings;
    };
    struct TSubscription {
        TKeyId key;
        bool subtree;
        unsigned filter;
        std::function<void()> changed;
    };

    mutable std::mutex dataMutex;
    QHash<TKeyId, TValues> keys;
    std::map<int, TSubscription> subscriptions;
    int nextId = 1;
    // Held while callbacks run, so that after Unsubscribe returns no callback of
    // that subscription is running or will run.
    std::recursive_mutex notifyMutex;

    void notify(const TKeyId& changed, unsigned what)
    {
        std::lock_guard notifyLock(notifyMutex);
        std::vector<std::function<void()>> callbacks;
        {
            std::lock_guard lock(dataMutex);
            for (const auto& [id, s] : subscriptions) {
                if (s.key.root != changed.root || (s.filter & what) == 0)
                    continue;
                const bool same = s.key.path == changed.path;
                const bool below = s.subtree && (s.key.path.isEmpty() || changed.path.startsWith(s.key.path + u'\\'));
                if (same || below)
                    callbacks.push_back(s.changed);
            }
        }
        for (auto& cb : callbacks)
            cb();
    }

    // Creates the key and its parents; true when something was created.
    bool createKey(const TKeyId& key)
    {
        bool created = false;
        QString p = key.path;
        for (;;) {
            const TKeyId k{key.root, p};
            if (!keys.contains(k)) {
                keys.insert(k, TValues{});
                created = true;
            }
            const qsizetype sep = p.lastIndexOf(u'\\');
            if (sep < 0)
                break;
            p.truncate(sep);
        }
        return created;
    }
};

TMemoryRegistryStore::TMemoryRegistryStore() : d(std::make_unique<TImpl>()) {}
TMemoryRegistryStore::~TMemoryRegistryStore() = default;

bool TMemoryRegistryStore::KeyExists(TRootKey root, const QString& path) const
{
    std::lock_guard lock(d->dataMutex);
    return d->keys.contains(TKeyId{root, normalisedPath(path)});
}

std::optional<int> TMemoryRegistryStore::ReadInteger(TRootKey root, const QString& path, const QString& name) const
{
    std::lock_guard lock(d->dataMutex);
    const auto it = d->keys.constFind(TKeyId{root, normalisedPath(path)});
    if (it == d->keys.cend())
        return std::nullopt;
    const auto v = it->integers.constFind(name.toLower());
    if (v == it->integers.cend())
        return std::nullopt;
    return *v;
}

std::optional<QString> TMemoryRegistryStore::ReadString(TRootKey root, const QString& path, const QString& name) const
{
    std::lock_guard lock(d->dataMutex);
    const auto it = d->keys.constFind(TKeyId{root, normalisedPath(path)});
    if (it == d->keys.cend())
        return std::nullopt;
    const auto v = it->strings.constFind(name.toLower());
    if (v == it->strings.cend())
        return std::nullopt;
    return *v;
}

int TMemoryRegistryStore::Subscribe(TRootKey root, const QString& path, bool subtree, unsigned filter,
                                    std::function<void()> changed)
{
    std::lock_guard lock(d->dataMutex);
    const TKeyId key{root, normalisedPath(path)};
    if (!d->keys.contains(key))
        return 0;
    const int id = d->nextId++;
    d->subscriptions.emplace(id, TImpl::TSubscription{key, subtree, filter, std::move(changed)});
    return id;
}

void TMemoryRegistryStore::Unsubscribe(int id)
{
    std::lock_guard notifyLock(d->notifyMutex);
    std::lock_guard lock(d->dataMutex);
    d->subscriptions.erase(id);
}

void TMemoryRegistryStore::CreateKey(TRootKey root, const QString& path)
{
    const TKeyId key{root, normalisedPath(path)};
    bool created;
    {
        std::lock_guard lock(d->dataMutex);
        created = d->createKey(key);
    }
    if (created)
        d->notify(key, REG_NOTIFY_CHANGE_NAME);
}

void TMemoryRegistryStore::WriteInteger(TRootKey root, const QString& path, const QString& name, int value)
{
    const TKeyId key{root, normalisedPath(path)};
    {
        std::lock_guard lock(d->dataMutex);
        d->createKey(key);
        d->keys[key].strings.remove(name.toLower());
        d->keys[key].integers.insert(name.toLower(), value);
    }
    d->notify(key, REG_NOTIFY_CHANGE_LAST_SET);
}

void TMemoryRegistryStore::WriteString(TRootKey root, const QString& path, const QString& name, const QString& value)
{
    const TKeyId key{root, normalisedPath(path)};
    {
        std::lock_guard lock(d->dataMutex);
        d->createKey(key);
        d->keys[key].integers.remove(name.toLower());
        d->keys[key].strings.insert(name.toLower(), value);
    }
    d->notify(key, REG_NOTIFY_CHANGE_LAST_SET);
}

void TMemoryRegistryStore::DeleteKey(TRootKey root, const QString& path)
{
    const TKeyId key{root, normalisedPath(path)};
    {
        std::lock_guard lock(d->dataMutex);
        for (auto it = d->keys.begin(); it != d->keys.end();) {
            if (it.key().root == root && (it.key().path == key.path || it.key().path.startsWith(key.path + u'\\')))
                it = d->keys.erase(it);
            else
                ++it;
        }
    }
    d->notify(key, REG_NOTIFY_CHANGE_NAME);
}

// ---- accessor ------------------------------------------------------------------------------

TRegistry::TRegistry() = default;
TRegistry::~TRegistry() = default;

TRootKey TRegistry::RootKey() const { return FRoot; }

void TRegistry::SetRootKey(TRootKey root)
{
    CloseKey();
    FRoot = root;
}

bool TRegistry::KeyExists(const QString& path) const { return CurrentRegistryStore()->KeyExists(FRoot, path); }

bool TRegistry::OpenKeyReadOnly(const QString& path)
{
    CloseKey();
    if (!KeyExists(path))
        return false;
    FPath = path;
    FOpen = true;
    return true;
}

void TRegistry::CloseKey()
{
    FOpen = false;
    FPath.clear();
}

QString TRegistry::CurrentPath() const { return FPath; }

bool TRegistry::ValueExists(const QString& name) const
{
    return ReadInteger(name).has_value() || ReadString(name).has_value();
}

std::optional<int> TRegistry::ReadInteger(const QString& name) const
{
    if (!FOpen)
        return std::nullopt;
    return CurrentRegistryStore()->ReadInteger(FRoot, FPath, name);
}

std::optional<QString> TRegistry::ReadString(const QString& name) const
{
    if (!FOpen)
        return std::nullopt;
    return CurrentRegistryStore()->ReadString(FRoot, FPath, name);
}

} // namespace fw
