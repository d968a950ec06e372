#pragma once

class CKivToolBarManager;
class QMenu;
class QToolBar;
class QWidget;

// The context menu of the tool bars: "Standard Toolbar" and "&Status Bar" show or hide their bars,
// "&Anpassen..." opens the customisation. Each entry runs its command (59392, 59393, 32770) when a
// handler takes it, else does the job itself.
class CKivToolBarMenu
{
public:
    static constexpr int kStandardBarCommand = 59392;
    static constexpr int kStatusBarCommand = 59393;
    static constexpr int kCustomizeCommand = 32770;

    // The menu, owned by parent.
    static QMenu *create(CKivToolBarManager &manager, QToolBar *standardBar, QWidget *parent);
};
