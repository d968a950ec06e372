#pragma once

#include <QWidget>

class CKivPlayerInfoPanel;
class CKivSettings;
class CMelvoraDoc;

// The player's information view: its caption button "Kiv Mediaplayer (Info)" over the information
// panel, which shows the item loaded last (hint 501) in the colours of the settings (hint 601).
class CKivAnzeigeFormViewA : public QWidget
{
    Q_OBJECT

public:
    static constexpr int HintItemLoaded = 501;
    static constexpr int HintSettings = 601;

    CKivAnzeigeFormViewA(CMelvoraDoc &doc, CKivSettings &settings, QWidget *parent = nullptr);

    CKivPlayerInfoPanel &Panel() const { return *m_panel; }

private:
    void onHint(int hint, const QVariant &payload);
    void loadColors();

    CKivSettings &m_settings;
    CKivPlayerInfoPanel *m_panel;
};
