#pragma once
// Which desktop colour theme is in use, the style interfaces the grid and the
// drop-down controls implement, and the shared notifier that tells registered
// windows when the per-user theme setting changes.
#include "framework/Registry.h"
#include "framework/Types.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

enum TOfficeTheme {
    ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic,
    ot2007Blue, ot2007Silver, ot2007Black,
    ot2010Blue, ot2010Silver, ot2010Black,
    otUnknown
};

enum TFxStyle {
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
    tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista,
    tsWindows7, tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black
};

// Colours of one state of a flat, custom-coloured control.
struct TColorTone {
    fw::TColor BrushColor = fw::clNone;
    fw::TColor BorderColor = fw::clNone;
    fw::TColor TextColor = fw::clNone;
    friend bool operator==(const TColorTone&, const TColorTone&) = default;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
    friend bool operator==(const TColorTones&, const TColorTones&) = default;
};

class IFxStyle {
public:
    virtual ~IFxStyle() = default;
    virtual void SetComponentStyle(TFxStyle style) = 0;
};

class IFxTones {
public:
    virtual ~IFxTones() = default;
    virtual void SetColorTones(const TColorTones& tones) = 0;
};

// Theme detection. The per-user registry answers "not found" on this desktop,
// so these fall back to the desktop scheme (TOfficeTheme ot2003Classic here).
TOfficeTheme DetectOfficeTheme();
// 2 with the 14.0 installation key, 1 with the 12.0 one, else 0.
int DetectOfficeVersion();
// 1 "NormalColor", 2 "HomeStead", 3 "Metallic" in the current visual style's name, else 0.
int DetectXPColorScheme();
bool WindowsVistaOrLater();
QString DefaultUIFontName();

// ---- theme change notification ----------------------------------------------------------

constexpr int WM_OFFICETHEMECHANGED = 2993;

// Delivered to registered windows when the watched theme key changed.
class TOfficeThemeChangeEvent : public QEvent {
public:
    TOfficeThemeChangeEvent(fw::TRootKey root, const QString& key);
    static QEvent::Type EventType();
    fw::TRootKey RootKey() const { return FRoot; }
    QString Key() const { return FKey; }

private:
    fw::TRootKey FRoot;
    QString FKey;
};

// Windows that want the theme event, in registration order. Safe to use from
// the watch thread and the user-interface thread at once.
class THandleList {
public:
    THandleList();
    ~THandleList();
    void Add(QObject* window);
    void Insert(int index, QObject* window);
    void Delete(int index);
    // Removes the first entry equal to `window`, when present.
    void DeleteValue(QObject* window);
    bool HasValue(QObject* window) const;
    QObject* Get(int index) const;
    void Set(int index, QObject* window);
    int Count() const;
    std::vector<QObject*> Snapshot() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> d;
};

// Waits for changes below a registry key and tells `window` and every listed
// window about each one. The events reach the windows on the user-interface
// thread; the thread never blocks on that thread, so stopping it cannot deadlock.
class TRegMonitorThread {
public:
    TRegMonitorThread(fw::TRootKey root, const QString& key, bool watchSubtree, unsigned filter, QObject* window);
    // Stops the thread and waits for it to end.
    ~TRegMonitorThread();
    TRegMonitorThread(const TRegMonitorThread&) = delete;
    TRegMonitorThread& operator=(const TRegMonitorThread&) = delete;

    void Start();
    // Asks the thread to end; returns at once.
    void Stop();
    // Waits until the thread has ended (after Stop, or after it failed).
    void WaitFor();

    THandleList& Handles();
    // Empty while running; "Unable to open registry key " + key when the key is missing.
    QString ErrorText() const;
    // Changes delivered so far (for tests and diagnostics).
    int ChangeCount() const;

    struct TImpl;   // opaque; named here only for the source's delivery helper

private:
    std::shared_ptr<TImpl> d;
    std::unique_ptr<QObject> FContext;   // user-interface thread object the events are delivered through
};

// Hidden window that turns the theme event into its OnOfficeThemeChange call.
class TThemeNotifierWindow : public QWidget {
    Q_OBJECT
public:
    explicit TThemeNotifierWindow(QWidget* parent);
    std::function<void()> OnOfficeThemeChange;

protected:
    bool event(QEvent* e) override;
};

class TThemeNotifier : public QObject {
    Q_OBJECT
public:
    // With an Office 2007 or 2010 installation key, creates the hidden window
    // (on `owner` when it is a widget) and starts watching the theme key.
    explicit TThemeNotifier(QObject* owner);
    ~TThemeNotifier() override;

    std::function<void(QObject* sender)> OnOfficeThemeChange;

    void RegisterWindow(QObject* window);
    void UnRegisterWindow(QObject* window);

    bool IsWatching() const;
    TRegMonitorThread* MonitorThread() const;

private:
    QPointer<TThemeNotifierWindow> FWindow;
    std::unique_ptr<TRegMonitorThread> FThread;
};

// The one shared notifier, created on first use with the main form as owner
// when there is one, else with `component`.
TThemeNotifier* SharedThemeNotifier(QObject* component);
