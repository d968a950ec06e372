#pragma once

#include "browse/ui/lists/Mp3ListView.h"

#include <QString>

#include <vector>

// The standard MP3 list (view entry 5): all 29 columns, rows 20 pixels high, four column
// arrangements "Ansicht A" to "Ansicht D" per user, the category view and the background picture.
class CKivMp3ListeFormView : public CKivMp3ListView
{
    Q_OBJECT

public:
    CKivMp3ListeFormView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands,
                         QWidget *parent = nullptr);
    // Keeps the column arrangement for the next start.
    ~CKivMp3ListeFormView() override;

    // The arrangement number (0..3) of an "Ansicht" command, or -1.
    static int ansichtOf(int command);

    // Puts a panel above the rows (the exchange with friends shows its fields there); the view
    // takes it over.
    void addPanel(QWidget *panel);
    // Repaints every row (after their items changed outside the list).
    void repaintRows();

protected:
    Look look() const override;
    QString arrangementSection() const override;
    int rowHeight() const override { return 20; }
    bool queryOwnCommand(int id, State &state) const override;
    bool onOwnCommand(int id) override;

private:
    void switchAnsicht(int number);
    // The tag editors, the renaming dialog and taking back their last batch on the selected rows.
    bool queryToolCommand(int id, State &state) const;
    bool onToolCommand(int id);
    void announceRenames(const std::vector<CKivMp3::Ptr> &items, const std::vector<QString> &oldNames);
};
