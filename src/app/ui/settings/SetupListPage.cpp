#include "app/ui/settings/SetupListPage.h"

#include "core/Settings.h"
#include "app/ui/settings/ColorButton.h"
#include "controls/ui/FieldLabel.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString systemPictureChooser(QWidget *parent, const QString &start)
{
    return QFileDialog::getOpenFileName(parent, QString(), QFileInfo(start).path(),
                                        QStringLiteral("Bitmap Files (*.bmp)"));
}

CKivSetupListPage::PictureChooser &pictureChooser()
{
    static CKivSetupListPage::PictureChooser chooser = systemPictureChooser;
    return chooser;
}

} // namespace

CKivSetupListPage::Keys CKivSetupListPage::Keys::normal()
{
    return {&CKivSettings::GetNormalFlags,  &CKivSettings::SetNormalFlags,  &CKivSettings::GetNormalBm,
            &CKivSettings::SetNormalBm,     &CKivSettings::GetNormalColor1, &CKivSettings::SetNormalColor1,
            &CKivSettings::GetNormalColor2, &CKivSettings::SetNormalColor2, false};
}

CKivSetupListPage::Keys CKivSetupListPage::Keys::tv()
{
    return {&CKivSettings::GetTvFlags,  &CKivSettings::SetTvFlags,  &CKivSettings::GetTvBm,
            &CKivSettings::SetTvBm,     &CKivSettings::GetTvColor1, &CKivSettings::SetTvColor1,
            &CKivSettings::GetTvColor2, &CKivSettings::SetTvColor2, false};
}

CKivSetupListPage::Keys CKivSetupListPage::Keys::playlistKeys()
{
    return {&CKivSettings::GetPlaylistFlags,  &CKivSettings::SetPlaylistFlags,  &CKivSettings::GetPlaylistBm,
            &CKivSettings::SetPlaylistBm,     &CKivSettings::GetPlaylistColor1, &CKivSettings::SetPlaylistColor1,
            &CKivSettings::GetPlaylistColor2, &CKivSettings::SetPlaylistColor2, true};
}

CKivSetupListPage::CKivSetupListPage(CKivSettings &settings, const Keys &keys, QWidget *parent)
    : CKivSetupPage(parent)
    , m_settings(settings)
    , m_keys(keys)
    , m_path(new QLineEdit((settings.*keys.bm)(), this))
    , m_background(new CKivColorButton(this))
    , m_text(new CKivColorButton(this))
{
    auto *layoutGroup = new QGroupBox(QStringLiteral("Layout - Einstellungen:"), this);
    auto *flags = new QVBoxLayout(layoutGroup);
    flags->addWidget(addFlag(QStringLiteral("Grid - Horizental"), HorizontalGrid, "horizontalGrid"));
    flags->addWidget(addFlag(QStringLiteral("Grid - Vertical"), VerticalGrid, "verticalGrid"));
    m_picture = addFlag(QStringLiteral("Hintergrundbild"), Picture, "picture");
    flags->addWidget(m_picture);
    if (keys.playlist) {
        flags->addWidget(addFlag(QStringLiteral("Eigenes Farben"), OwnColors, "ownColors"));
        flags->addWidget(addFlag(QStringLiteral("Hindergrundbild Wdh."), TilePicture, "tilePicture"));
        flags->addWidget(addFlag(QStringLiteral("Automatisch Starten"), AutoStart, "autoStart"));
    }

    m_path->setObjectName(QStringLiteral("picturePath"));
    auto *choose = new QPushButton(QStringLiteral("..."), this);
    choose->setObjectName(QStringLiteral("pictureChoose"));
    choose->setAutoDefault(false);
    auto *pathRow = new QGridLayout;
    choose->setAccessibleName(QStringLiteral("Hintergrundbild wählen"));
    pathRow->addWidget(KivFieldLabel(QStringLiteral("Hintergrundbild:"), m_path, this), 0, 0, 1, 2);
    pathRow->addWidget(m_path, 1, 0);
    pathRow->addWidget(choose, 1, 1);
    pathRow->setColumnStretch(0, 1);

    m_background->setObjectName(QStringLiteral("backgroundColor"));
    m_background->setColorText((settings.*keys.color1)());
    m_text->setObjectName(QStringLiteral("textColor"));
    m_text->setColorText((settings.*keys.color2)());
    auto *colorGroup = new QGroupBox(QStringLiteral("Farb - Einstellungen"), this);
    auto *colors = new QGridLayout(colorGroup);
    // A colour button shows no text: it is named after its label.
    m_background->setAccessibleName(QStringLiteral("Hintergrundfarbe"));
    m_text->setAccessibleName(QStringLiteral("Textfarbe"));
    colors->addWidget(KivFieldLabel(QStringLiteral("Hintergrund:"), m_background, this), 0, 0);
    colors->addWidget(m_background, 0, 1);
    colors->addWidget(KivFieldLabel(QStringLiteral("Text:"), m_text, this), 1, 0);
    colors->addWidget(m_text, 1, 1);
    colors->setColumnStretch(2, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(layoutGroup);
    layout->addLayout(pathRow);
    layout->addWidget(colorGroup);
    layout->addStretch(1);

    connect(choose, &QPushButton::clicked, this, &CKivSetupListPage::choosePicture);
    connect(m_path, &QLineEdit::textEdited, this, &CKivSetupPage::changed);
    connect(m_background, &CKivColorButton::colorChosen, this, &CKivSetupPage::changed);
    connect(m_text, &CKivColorButton::colorChosen, this, &CKivSetupPage::changed);
}

QCheckBox *CKivSetupListPage::addFlag(const QString &text, int bit, const char *name)
{
    auto *box = new QCheckBox(text, this);
    box->setObjectName(QLatin1String(name));
    box->setChecked(((m_settings.*m_keys.flags)() & bit) != 0);
    m_flags.emplace_back(box, bit);
    connect(box, &QCheckBox::toggled, this, &CKivSetupPage::changed);
    return box;
}

void CKivSetupListPage::setPictureChooser(PictureChooser chooser)
{
    pictureChooser() = chooser ? std::move(chooser) : PictureChooser(systemPictureChooser);
}

void CKivSetupListPage::choosePicture()
{
    const QString path = pictureChooser()(this, m_path->text());
    if (path.isEmpty())
        return;
    m_path->setText(path);
    Q_EMIT changed();
}

void CKivSetupListPage::apply()
{
    // A background picture needs a picture.
    if (m_path->text().isEmpty())
        m_picture->setChecked(false);
    (m_settings.*m_keys.setBm)(m_path->text());
    int flags = 0;
    for (const auto &[box, bit] : m_flags) {
        if (box->isChecked())
            flags += bit;
    }
    (m_settings.*m_keys.setFlags)(flags);
    (m_settings.*m_keys.setColor1)(m_background->colorText());
    (m_settings.*m_keys.setColor2)(m_text->colorText());
}
