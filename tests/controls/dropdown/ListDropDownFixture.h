#pragma once
// The screen, clock and window the list drop-downs' tests open their popups
// in: a 1024 x 768 monitor whose work area ends at 740, a manual clock, and
// one drop-down on a shown window with the focus in its edit.
#include "framework/Screen.h"
#include "framework/TickSource.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

template <class DropDown>
class ListDropDownFixture : public ::testing::Test {
protected:
    // The drop-down at (20, 30) on a window `size` pixels square; `fill`
    // adds its columns and items before the lookup list is built. OnSelect
    // counts into `selects`.
    template <class Fill>
    void Place(int size, Fill fill)
    {
        window.resize(size, size);
        dd = new DropDown(&window);
        dd->SetBounds(20, 30, 160, 21);
        fill();
        dd->EndUpdate();
        dd->OnSelect = [this](QObject*) { ++selects; };
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        dd->setFocus();
    }
    void TearDown() override { delete dd; }

    fw::TScopedMonitors monitors{{{fw::TRect(0, 0, 1024, 768), fw::TRect(0, 0, 1024, 740)}}};
    fw::TManualTickSource clock{10000};
    fw::TScopedTickSource scope{clock};
    QWidget window;
    DropDown* dd = nullptr;
    int selects = 0;
};
