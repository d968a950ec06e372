#pragma once

#include <QWizardPage>

class QCheckBox;

// The wizard's first page: the welcome, the terms of use and their acceptance.
class CSetupPage1 : public QWizardPage
{
    Q_OBJECT

public:
    explicit CSetupPage1(QWidget *parent = nullptr);

    bool validatePage() override;

    static QString TermsOfUse();

private:
    QCheckBox *m_accept;
};
