#pragma once

#include <QWidget>

// One page of the settings sheet: shows its profile values when it is made and writes them back
// when the sheet applies it. It says when the user changed something.
class CKivSetupPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Writes the page's values into the profile store.
    virtual void apply() = 0;

Q_SIGNALS:
    void changed();
};
