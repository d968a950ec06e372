#include "browse/ui/lists/Mp3ListeBigFormView.h"

#include "core/Settings.h"
#include "browse/ui/lists/Mp3TableView.h"

CKivMp3ListeBigFormView::CKivMp3ListeBigFormView(CMelvoraDoc &doc, CKivSettings &settings,
                                                 CKivCommandRegistry &commands, QWidget *parent)
    : CKivMp3ListView(doc, settings, commands, CKivMp3ListModel::Layout::Tv, parent)
{
    setObjectName(QStringLiteral("Mp3ListeBigFormView"));
    QFont big = table().font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    table().setFont(big);
    table().setAccessibleName(QStringLiteral("Mp3's (TV)"));
    finishSetup();
}

CKivMp3ListeBigFormView::~CKivMp3ListeBigFormView()
{
    saveArrangement();
}

CKivMp3ListView::Look CKivMp3ListeBigFormView::look() const
{
    return Look{m_settings.GetTvFlags(), m_settings.GetTvBm(), m_settings.GetTvColor1(), m_settings.GetTvColor2()};
}

QString CKivMp3ListeBigFormView::arrangementSection() const
{
    return CKivColumnArrangement::TvProfileName();
}
