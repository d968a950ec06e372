#pragma once

#include "app/ui/settings/SetupPage.h"

#include <QString>

#include <functional>
#include <utility>
#include <vector>

class CKivColorButton;
class CKivSettings;
class QCheckBox;
class QLineEdit;

// The pages "Mp3 Liste (Standard)", "Mp3 Liste (TV)" and "Playlist", which share one layout: grid
// lines and background picture as flag bits, the picture's path, background and text colour. The
// playlist page adds own colours, tiling the picture and starting to play automatically.
class CKivSetupListPage : public CKivSetupPage
{
    Q_OBJECT

public:
    enum Flag { VerticalGrid = 1, HorizontalGrid = 2, Picture = 4, OwnColors = 8, TilePicture = 16, AutoStart = 32 };

    // The profile values one page shows and writes.
    struct Keys
    {
        int (CKivSettings::*flags)() const;
        void (CKivSettings::*setFlags)(int);
        QString (CKivSettings::*bm)() const;
        void (CKivSettings::*setBm)(const QString &);
        QString (CKivSettings::*color1)() const;
        void (CKivSettings::*setColor1)(const QString &);
        QString (CKivSettings::*color2)() const;
        void (CKivSettings::*setColor2)(const QString &);
        bool playlist;

        static Keys normal();
        static Keys tv();
        static Keys playlistKeys();
    };

    // Asks for a bitmap file starting at the given path; empty when cancelled.
    using PictureChooser = std::function<QString(QWidget *parent, const QString &start)>;

    CKivSetupListPage(CKivSettings &settings, const Keys &keys, QWidget *parent = nullptr);

    void apply() override;

    // Replaces the file dialog that picks the picture (an empty function restores it).
    static void setPictureChooser(PictureChooser chooser);

private:
    QCheckBox *addFlag(const QString &text, int bit, const char *name);
    void choosePicture();

    CKivSettings &m_settings;
    Keys m_keys;
    std::vector<std::pair<QCheckBox *, int>> m_flags;
    QCheckBox *m_picture = nullptr;
    QLineEdit *m_path;
    CKivColorButton *m_background;
    CKivColorButton *m_text;
};
