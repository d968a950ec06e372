#include "controls/ui/Banner.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

CKivBanner::CKivBanner(const QString &title, const QString &text, const QIcon &icon, QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    setPalette(pal);

    auto *titleLabel = new QLabel(title, this);
    titleLabel->setObjectName(QStringLiteral("bandTitle"));
    QFont bold = titleLabel->font();
    bold.setBold(true);
    titleLabel->setFont(bold);
    auto *textLabel = new QLabel(text, this);
    textLabel->setObjectName(QStringLiteral("bandText"));
    textLabel->setWordWrap(true);
    auto *iconLabel = new QLabel(this);
    iconLabel->setPixmap(icon.pixmap(QSize(40, 40)));

    auto *texts = new QVBoxLayout;
    texts->addWidget(titleLabel);
    texts->addWidget(textLabel, 1);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 8, 12, 8);
    row->addLayout(texts, 1);
    row->addWidget(iconLabel, 0, Qt::AlignTop);
    // The band keeps its own height; a taller dialog gives the room to its lists, not to the band.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
}
