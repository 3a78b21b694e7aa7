#pragma once
// The search bar at the grid's bottom edge.
#include "framework/Types.h"

#include <QString>
#include <QWidget>

#include <functional>

class TSearchPanel : public QWidget {
public:
    explicit TSearchPanel(QWidget* ownerGrid);
    int PanelHeight() const { return FHeight; }
    void SetPanelHeight(int value);

    std::function<void(QObject*)> OnEditChange;
    std::function<void(QObject*)> OnBackwardClick;
    std::function<void(QObject*)> OnForwardClick;
    std::function<void(QObject*)> OnExitClick;
    std::function<void(QObject*)> OnHighlightClick;

private:
    int FHeight = 0;
};
