#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The few reads and writes of plain ini files the prerequisite check needs (the ODBC driver
// registrations in odbcinst.ini): section and key names are compared without regard to case, as the
// driver manager does.
namespace KivIni {

using Values = QList<QPair<QString, QString>>;

// The value of key in section; empty when the file, the section or the key is missing.
QString Value(const QString &path, const QString &section, const QString &key);

// Whether the file has that section.
bool HasSection(const QString &path, const QString &section);

// Replaces section (or appends it) with values, keeping every other line; written atomically.
bool WriteSection(const QString &path, const QString &section, const Values &values);

} // namespace KivIni
