#pragma once
// What the pickers built on the item selector share (detail, colour list and
// image pickers): stepping a selection, moving the popup list's selection
// without closing the popup, the navigation keys and the incremental search
// whose text is forgotten 500 ms after its first key.
#include "controls/dropdown/FxItemSelector.h"
#include "framework/Input.h"
#include "framework/TickSource.h"

#include <QPointer>

#include <functional>

// The character a key adds to an incremental search: letters (upper case)
// and digits; none for any other key.
QChar SearchCharForKey(int key);

class TSelectorPicker {
public:
    // `prepare` refills the list from the picker's items.
    explicit TSelectorPicker(std::function<void()> prepare);
    ~TSelectorPicker();

    void SetList(TFxCustomItemSelector* list) { FList = list; }
    TFxCustomItemSelector* List() const { return FList; }
    // Set while the picker moves the list itself: the list's selection event
    // then does not close the popup.
    bool InternalCall() const { return FInternalCall; }
    template <typename F>
    void Internally(F&& action)
    {
        FInternalCall = true;
        action();
        FInternalCall = false;
    }
    // Refills the list when it does not hold the picker's `itemCount` items.
    void PrepareIfStale(int itemCount);
    // Selects `index` in the list (when it is one of its items) and scrolls it into view.
    void MoveList(int index);

    // How the navigation keys act on a picker.
    struct TKeyRules {
        int RowStep = 1;                   // Up and Down move the open list by this many items
        bool HomeEndNeedNoEditor = false;  // closed, Home and End select only when the edit does not type
        // The search fills a list never filled yet. A typing picker leaves it
        // empty until its first opening, so that typing completes the text
        // instead of selecting items.
        bool SearchFillsList = true;
    };
    // Page Up and Down, Home, End and the arrows move the open list (or, while
    // closed, the picker's own selection through `ownStep`); letters and
    // digits search the captions. True for a navigation key.
    bool HandleKey(int key, fw::TShiftState shift, bool open, bool editorEnabled, int itemCount,
                   const TKeyRules& rules, const std::function<void(TPickStep)>& ownStep);
    // A wheel turn: the hot item of the open list moves; while closed, the
    // list's selection (and through it the picker's).
    void Wheel(bool next, bool open, int itemCount);
    QString CurrentSearch() const { return FCurSearch; }

private:
    QPointer<TFxCustomItemSelector> FList;
    std::function<void()> FPrepare;
    bool FInternalCall = false;
    fw::TTickTimer FKeyTimer;
    QString FCurSearch;
};
