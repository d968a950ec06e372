#pragma once

#include <QString>

class CKivDatabase;
class CKivMedium;

// What the CD medium dialog shows and decides without its widgets: the name typed (without the
// "CD:\" prefix), the medium name it makes, the disc's header and size flags and the status line;
// "OK" checks the name and stores a new CD medium.
class CKivCdMediumForm
{
public:
    CKivCdMediumForm(CKivDatabase &db, CKivMedium &medium, bool isNew);

    CKivMedium &medium() const { return m_medium; }
    bool IsNew() const { return m_isNew; }

    QString NameField() const { return m_nameField; }
    void SetNameField(const QString &text) { m_nameField = text; }
    // "CD:\" + the name field.
    QString MediumNameLine() const;
    QString StatusText() const;
    bool HasHeaderFile() const;
    bool HasVolumeSize() const;
    QString VolumeSize() const;

    // "OK": true when the dialog may close (a new medium is then stored); otherwise the user was
    // told why.
    bool Accept();

private:
    CKivDatabase &m_db;
    CKivMedium &m_medium;
    bool m_isNew;
    QString m_nameField;
};
