#pragma once

#include "browse/ui/lists/Mp3ListView.h"

// The TV list (view entry 6): 15 columns in a large font, rows 40 pixels high, meant to be read
// from a distance; one column arrangement under a fixed name.
class CKivMp3ListeBigFormView : public CKivMp3ListView
{
    Q_OBJECT

public:
    CKivMp3ListeBigFormView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands,
                            QWidget *parent = nullptr);
    // Keeps the column arrangement for the next start.
    ~CKivMp3ListeBigFormView() override;

protected:
    Look look() const override;
    QString arrangementSection() const override;
    int rowHeight() const override { return 40; }
};
