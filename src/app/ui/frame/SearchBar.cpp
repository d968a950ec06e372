#include "app/ui/frame/SearchBar.h"

#include "core/Settings.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

CKivSearchBar::CKivSearchBar(QWidget *parent)
    : QToolBar(QStringLiteral("Suche"), parent)
    , m_edit(new QLineEdit)
    , m_typingTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("searchBar"));
    m_edit->setAccessibleName(QStringLiteral("Suchfeld"));
    setMovable(false);
    setFloatable(false);
    setAllowedAreas(Qt::BottomToolBarArea);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("searchPanel"));
    panel->setAutoFillBackground(true);
    auto *picture = new QLabel(panel);
    picture->setFrameShape(QFrame::Panel);
    picture->setFrameShadow(QFrame::Raised);
    picture->setPixmap(QIcon(QStringLiteral(":/melvora/ui/icons/search.svg")).pixmap(32, 32));
    picture->setFixedSize(36, 36);
    picture->setAlignment(Qt::AlignCenter);
    m_edit->setObjectName(QStringLiteral("searchField"));
    m_edit->setFixedHeight(28);
    m_edit->setPlaceholderText(QStringLiteral("Suchbegriff eingeben und Enter drücken"));
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(4, 3, 5, 3);
    layout->addWidget(picture);
    layout->addWidget(m_edit, 1);
    addWidget(panel);

    m_typingTimer->setObjectName(QStringLiteral("typingTimer"));
    m_typingTimer->setSingleShot(true);
    m_typingTimer->setInterval(TypingPauseMs);
    connect(m_typingTimer, &QTimer::timeout, this, [this] { Q_EMIT searchRequested(m_edit->text()); });
    // Every change while typing starts the pause anew; Enter searches at once.
    connect(m_edit, &QLineEdit::textEdited, this, [this] {
        if (m_whileTyping)
            m_typingTimer->start();
    });
    connect(m_edit, &QLineEdit::returnPressed, this, [this] {
        m_typingTimer->stop();
        Q_EMIT searchRequested(m_edit->text());
    });
}

void CKivSearchBar::setSearchWhileTyping(bool on)
{
    m_whileTyping = on;
    if (!on)
        m_typingTimer->stop();
    m_edit->setPlaceholderText(on ? QStringLiteral("Suchbegriff eingeben")
                                  : QStringLiteral("Suchbegriff eingeben und Enter drücken"));
}

QColor CKivSearchBar::colorOf(quint32 value)
{
    return QColor(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}

void CKivSearchBar::applyColors(const CKivSettings &settings)
{
    const QColor background = colorOf(CKivSettings::ColorValue(settings.GetColorColor1()));
    const QColor text = colorOf(CKivSettings::ColorValue(settings.GetColorColor2()));
    for (QWidget *w : {static_cast<QWidget *>(this), static_cast<QWidget *>(m_edit)}) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, background);
        palette.setColor(QPalette::Base, background);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::WindowText, text);
        QColor hint = text;
        hint.setAlpha(150);
        palette.setColor(QPalette::PlaceholderText, hint);
        w->setPalette(palette);
    }
    setAutoFillBackground(true);
}
