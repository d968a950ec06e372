#include "playback/ui/AnzeigeFormView.h"

#include "browse/MelvoraDoc.h"
#include "core/Settings.h"
#include "playback/ui/PlayerInfoPanel.h"

#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QColor colorOf(const QString &text)
{
    const quint32 v = CKivSettings::ColorValue(text);
    return QColor(int(v & 0xff), int((v >> 8) & 0xff), int((v >> 16) & 0xff));
}

} // namespace

CKivAnzeigeFormViewA::CKivAnzeigeFormViewA(CMelvoraDoc &doc, CKivSettings &settings, QWidget *parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_panel(new CKivPlayerInfoPanel)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *caption = new QPushButton(QStringLiteral("Kiv Mediaplayer (Info)"), this);
    caption->setObjectName(QStringLiteral("captionButton"));
    caption->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(caption);
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    m_panel->setMinimumHeight(m_panel->sizeHint().height());
    scroll->setWidget(m_panel);
    layout->addWidget(scroll, 1);
    setFocusPolicy(Qt::StrongFocus);
    connect(&doc, &CMelvoraDoc::updateAllViews, this, &CKivAnzeigeFormViewA::onHint);
}

void CKivAnzeigeFormViewA::onHint(int hint, const QVariant &payload)
{
    if (hint == HintItemLoaded) {
        m_panel->SetItem(payload.value<CKivMp3::Ptr>());
    } else if (hint == HintSettings) {
        loadColors();
    }
}

void CKivAnzeigeFormViewA::loadColors()
{
    m_panel->SetColors(colorOf(m_settings.GetColorColor1()), colorOf(m_settings.GetColorColor2()));
}
