#pragma once

#include <QString>

// The version as the about box shows it: the major, minor and revision numbers of a
// four-part file version "major.minor.build.revision", in decimal without leading
// zeros, joined by dots ("1.3.0.2" reads "1.3.2"). Parts the file version leaves out
// count as 0.
QString shownVersion(const QString &fileVersion);
