#pragma once

#include <QString>

// Makes a value safe to embed between single quotes in a filter text: every single quote is
// doubled, nothing else changes ("%" and "_" stay LIKE wildcards).
QString SqlQuote(const QString &value);
