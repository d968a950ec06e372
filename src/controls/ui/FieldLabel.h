#pragma once

#include <QLabel>

// A label that names its field: its text is the field's accessible name (a screen reader reads it
// with the field), and its mnemonic, if any, moves the focus there.
inline QLabel *KivFieldLabel(const QString &text, QWidget *field, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}
