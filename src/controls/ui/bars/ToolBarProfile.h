#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <optional>

// Where and how the tool bars, the keyboard and the context menus of one user are kept in the
// profile store, whose root is the program's own key: the section names below the user name and
// the plain text forms of id lists and key lists.
class CKivToolBarProfile
{
public:
    // user + "\BCGToolBar": the common stem of the names below.
    static QString base(const QString &userName);
    // The bars' buttons and the user-defined bars (stem and name joined without a separator).
    static QString controlBars(const QString &userName);
    static QString keyboard(const QString &userName);
    static QString contextMenus(const QString &userName);
    // The frame's dock state: user + "\BCGToolBar\ToolBar".
    static QString dockState(const QString &userName);

    // "32972,0,32948"; 0 is a separator.
    static QString formatIds(const QList<int> &ids);
    // Nothing when the text holds anything but integers and commas; an empty text is an empty list.
    static std::optional<QList<int>> parseIds(const QString &text);

    // Key sequences as portable text, "; " between them.
    static QString formatKeys(const QList<QKeySequence> &keys);
    // Nothing when a sequence cannot be read back; an empty text is an empty list.
    static std::optional<QList<QKeySequence>> parseKeys(const QString &text);
};
