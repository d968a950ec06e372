#pragma once

#include <QString>
#include <QStringList>

// One step of an installation: a title, a status text and a number of units that are performed one
// at a time, so that a progress display can follow. A step that fails in a unit tells the user
// (through the core's user interface) and goes on or ends as its kind says; what failed is kept.
class CKivInstallStep
{
public:
    explicit CKivInstallStep(const QString &title);
    virtual ~CKivInstallStep() = default;
    CKivInstallStep(const CKivInstallStep &) = delete;
    CKivInstallStep &operator=(const CKivInstallStep &) = delete;

    QString Title() const { return m_title; }
    QString Status() const { return m_status; }
    int Units() const { return m_units; }
    int CurrentUnit() const { return m_current; }

    // True when there is anything to do.
    virtual bool Begin() = 0;
    // Performs one unit; true while units remain.
    virtual bool Next() = 0;

    bool Failed() const { return !m_failures.isEmpty(); }
    QStringList Failures() const { return m_failures; }

protected:
    void setStatus(const QString &status) { m_status = status; }
    void setUnits(int units) { m_units = units; }
    void setCurrentUnit(int unit) { m_current = unit; }
    void addFailure(const QString &what) { m_failures.append(what); }

private:
    QString m_title;
    QString m_status;
    int m_units = 0;
    int m_current = 0;
    QStringList m_failures;
};
