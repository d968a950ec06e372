#pragma once

#include <QAbstractItemView>
#include <QLabel>

// A label that names its field: its text is the field's accessible name (a screen reader reads it
// with the field), and its mnemonic, if any, moves the focus there.
inline QLabel *KivFieldLabel(const QString &text, QWidget *field, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(field);
    // Lists and tables do not ask their buddy for a name: they get the label's words.
    if (qobject_cast<QAbstractItemView *>(field) && field->accessibleName().isEmpty()) {
        QString name = text;
        name.remove(QLatin1Char('&'));
        if (name.endsWith(QLatin1Char(':')))
            name.chop(1);
        field->setAccessibleName(name.trimmed());
    }
    return label;
}
