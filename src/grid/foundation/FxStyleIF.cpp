#include "grid/foundation/FxStyleIF.h"

#include "framework/Forms.h"
#include "grid/foundation/FxXPVS.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace {

const QString kOffice11General = QStringLiteral("Software\\Microsoft\\Office\\11.0\\Common\\General");
const QString kOffice12General = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common\\General");
const QString kOffice14General = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common\\General");
const QString kOffice12Common = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");
const QString kOffice14Common = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");

// "Theme" of one Office version's key; nothing when the key or value is missing.
std::optional<int> themeValue(const QString& key)
{
    fw::TRegistry reg;
    if (!reg.OpenKeyReadOnly(key))
        return std::nullopt;
    return reg.ReadInteger(QStringLiteral("Theme"));
}

QPointer<TThemeNotifier>& sharedNotifier()
{
    static QPointer<TThemeNotifier> notifier;
    return notifier;
}

} // namespace

TOfficeTheme DetectOfficeTheme()
{
    if (const auto v = themeValue(kOffice14Common)) {
        switch (*v) {
        case 1: return ot2010Blue;
        case 2: return ot2010Silver;
        case 3: return ot2010Black;
        default: return ot2003Blue;
        }
    }
    if (const auto v = themeValue(kOffice12Common)) {
        switch (*v) {
        case 1: return ot2007Blue;
        case 2: return ot2007Silver;
        case 3: return ot2007Black;
        default: return ot2003Blue;
        }
    }
    switch (DetectXPColorScheme()) {
    case 0: return ot2003Classic;
    case 2: return ot2003Olive;
    case 3: return ot2003Silver;
    default: return ot2003Blue;
    }
}

int DetectOfficeVersion()
{
    fw::TRegistry reg;
    (void)reg.KeyExists(kOffice11General);   // looked at, but an Office 2003 install changes nothing
    if (reg.KeyExists(kOffice14General))
        return 2;
    if (reg.KeyExists(kOffice12General))
        return 1;
    return 0;
}

int DetectXPColorScheme()
{
    if (!XPVSBound() || !IsThemeActive())
        return 0;
    const QString name = GetCurrentThemeName();
    if (name.contains(QLatin1StringView("NormalColor")))
        return 1;
    if (name.contains(QLatin1StringView("HomeStead")))
        return 2;
    if (name.contains(QLatin1StringView("Metallic")))
        return 3;
    return 0;
}

bool WindowsVistaOrLater() { return true; }

QString DefaultUIFontName()
{
    return WindowsVistaOrLater() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma");
}

// ---- event ---------------------------------------------------------------------------------

TOfficeThemeChangeEvent::TOfficeThemeChangeEvent(fw::TRootKey root, const QString& key)
    : QEvent(EventType()), FRoot(root), FKey(key)
{
}

QEvent::Type TOfficeThemeChangeEvent::EventType()
{
    return QEvent::Type(QEvent::User + WM_OFFICETHEMECHANGED);
}

// ---- handle list ---------------------------------------------------------------------------

struct THandleList::TImpl {
    mutable std::mutex mutex;
    std::vector<QObject*> items;
};

THandleList::THandleList() : d(std::make_unique<TImpl>()) {}
THandleList::~THandleList() = default;

void THandleList::Add(QObject* window)
{
    std::lock_guard lock(d->mutex);
    d->items.push_back(window);
}

void THandleList::Insert(int index, QObject* window)
{
    std::lock_guard lock(d->mutex);
    if (index < 0 || index > int(d->items.size()))
        return;
    d->items.insert(d->items.begin() + index, window);
}

void THandleList::Delete(int index)
{
    std::lock_guard lock(d->mutex);
    if (index < 0 || index >= int(d->items.size()))
        return;
    d->items.erase(d->items.begin() + index);
}

void THandleList::DeleteValue(QObject* window)
{
    std::lock_guard lock(d->mutex);
    const auto it = std::find(d->items.begin(), d->items.end(), window);
    if (it != d->items.end())
        d->items.erase(it);
}

bool THandleList::HasValue(QObject* window) const
{
    std::lock_guard lock(d->mutex);
    return std::find(d->items.begin(), d->items.end(), window) != d->items.end();
}

QObject* THandleList::Get(int index) const
{
    std::lock_guard lock(d->mutex);
    return index >= 0 && index < int(d->items.size()) ? d->items[index] : nullptr;
}

void THandleList::Set(int index, QObject* window)
{
    std::lock_guard lock(d->mutex);
    if (index >= 0 && index < int(d->items.size()))
        d->items[index] = window;
}

int THandleList::Count() const
{
    std::lock_guard lock(d->mutex);
    return int(d->items.size());
}

std::vector<QObject*> THandleList::Snapshot() const
{
    std::lock_guard lock(d->mutex);
    return d->items;
}

// ---- watch thread --------------------------------------------------------------------------

struct TRegMonitorThread::TImpl {
    fw::TRootKey root;
    QString key;
    bool subtree;
    unsigned filter;
    QPointer<QObject> window;
    // Owned by the TRegMonitorThread, which outlives the thread; deliveries
    // still queued when it goes are dropped with it.
    QObject* deliveryContext = nullptr;
    THandleList handles;

    std::thread thread;
    std::mutex mutex;
    std::condition_variable wake;
    bool terminated = false;
    bool ready = false;   // subscribed, or failed to
    int pendingChanges = 0;
    QString errorText;
    int queuedDeliveries = 0;   // posted to the user-interface thread, not yet run
    std::atomic<int> delivered{0};

    void execute();
    void post();
    // On the user-interface thread.
    void deliverOne();
};

namespace {

// Lives on the user-interface thread; the watch thread posts calls to it. Calls
// still queued when it is destroyed are dropped with it.
class TDeliveryContext : public QObject {
    Q_OBJECT
public:
    explicit TDeliveryContext(TRegMonitorThread::TImpl* impl) : FImpl(impl) {}
    Q_INVOKABLE void DeliverOne() { FImpl->deliverOne(); }

private:
    TRegMonitorThread::TImpl* FImpl;
};

} // namespace

void TRegMonitorThread::TImpl::execute()
{
    auto store = fw::CurrentRegistryStore();
    const int subscription = store->Subscribe(root, key, subtree, filter, [this] {
        std::lock_guard lock(mutex);
        ++pendingChanges;
        wake.notify_all();
    });
    {
        std::lock_guard lock(mutex);
        if (subscription == 0)
            errorText = QStringLiteral("Unable to open registry key ") + key;
        ready = true;
        wake.notify_all();
    }
    if (subscription == 0)
        return;
    for (;;) {
        std::unique_lock lock(mutex);
        wake.wait(lock, [this] { return terminated || pendingChanges > 0; });
        if (terminated)
            break;
        pendingChanges = 0;
        ++queuedDeliveries;
        lock.unlock();
        post();
    }
    store->Unsubscribe(subscription);
}

void TRegMonitorThread::TImpl::post()
{
    QMetaObject::invokeMethod(deliveryContext, "DeliverOne", Qt::QueuedConnection);
}

// Only windows still listed at delivery time receive the event, so a window that
// unregistered before it went away is never touched.
void TRegMonitorThread::TImpl::deliverOne()
{
    {
        std::lock_guard lock(mutex);
        if (queuedDeliveries == 0)
            return;
        --queuedDeliveries;
    }
    if (QObject* direct = window.data()) {
        TOfficeThemeChangeEvent e(root, key);
        QCoreApplication::sendEvent(direct, &e);
    }
    for (QObject* w : handles.Snapshot()) {
        if (!handles.HasValue(w))
            continue;
        TOfficeThemeChangeEvent e(root, key);
        QCoreApplication::sendEvent(w, &e);
    }
    ++delivered;
}

TRegMonitorThread::TRegMonitorThread(fw::TRootKey root, const QString& key, bool watchSubtree, unsigned filter,
                                     QObject* window)
    : d(std::make_shared<TImpl>())
{
    d->root = root;
    d->key = key;
    d->subtree = watchSubtree;
    d->filter = filter == 0 ? 15u : filter;
    d->window = window;
    FContext = std::make_unique<TDeliveryContext>(d.get());
    d->deliveryContext = FContext.get();
}

TRegMonitorThread::~TRegMonitorThread()
{
    Stop();
    WaitFor();
}

void TRegMonitorThread::Start()
{
    if (d->thread.joinable())
        return;
    d->thread = std::thread([impl = d] { impl->execute(); });
    // Changes made after Start returns are never missed.
    std::unique_lock lock(d->mutex);
    d->wake.wait(lock, [this] { return d->ready; });
}

void TRegMonitorThread::Stop()
{
    std::lock_guard lock(d->mutex);
    d->terminated = true;
    d->wake.notify_all();
}

void TRegMonitorThread::WaitFor()
{
    if (d->thread.joinable())
        d->thread.join();
}

THandleList& TRegMonitorThread::Handles() { return d->handles; }

QString TRegMonitorThread::ErrorText() const
{
    std::lock_guard lock(d->mutex);
    return d->errorText;
}

int TRegMonitorThread::ChangeCount() const { return d->delivered; }

// ---- notifier ------------------------------------------------------------------------------

TThemeNotifierWindow::TThemeNotifierWindow(QWidget* parent) : QWidget(parent)
{
    setVisible(false);
}

bool TThemeNotifierWindow::event(QEvent* e)
{
    if (e->type() == TOfficeThemeChangeEvent::EventType() && OnOfficeThemeChange)
        OnOfficeThemeChange();
    return QWidget::event(e);
}

TThemeNotifier::TThemeNotifier(QObject* owner) : QObject(owner)
{
    const int version = DetectOfficeVersion();
    if (version == 0)
        return;
    FWindow = new TThemeNotifierWindow(qobject_cast<QWidget*>(owner));
    FWindow->OnOfficeThemeChange = [this] {
        if (OnOfficeThemeChange)
            OnOfficeThemeChange(this);
    };
    FThread = std::make_unique<TRegMonitorThread>(fw::HKEY_CURRENT_USER,
                                                  version == 2 ? kOffice14Common : kOffice12Common, true,
                                                  fw::REG_NOTIFY_CHANGE_LAST_SET, FWindow.data());
    FThread->Start();
}

TThemeNotifier::~TThemeNotifier()
{
    // The thread goes first: it posts in the window's context.
    FThread.reset();
    delete FWindow.data();
    if (sharedNotifier() == this)
        sharedNotifier() = nullptr;
}

void TThemeNotifier::RegisterWindow(QObject* window)
{
    if (FThread && window && !FThread->Handles().HasValue(window))
        FThread->Handles().Add(window);
}

void TThemeNotifier::UnRegisterWindow(QObject* window)
{
    if (FThread)
        FThread->Handles().DeleteValue(window);
}

bool TThemeNotifier::IsWatching() const { return FThread != nullptr; }

TRegMonitorThread* TThemeNotifier::MonitorThread() const { return FThread.get(); }

TThemeNotifier* SharedThemeNotifier(QObject* component)
{
    if (!sharedNotifier()) {
        QObject* owner = fw::Application.MainForm();
        if (!owner)
            owner = component;
        sharedNotifier() = new TThemeNotifier(owner);
    }
    return sharedNotifier();
}

#include "FxStyleIF.moc"
