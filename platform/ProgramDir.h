#pragma once

#include <QString>

namespace qvx {

// The program folder: config.ini, remote.ini, log/, send/ and data/ live there.
// An explicit override (main sets it from --home DIR) wins, then the
// environment variable QUVEX_HOME, then the folder of the executable.
class ProgramDir
{
public:
    static QString root();
    // path("log") -> "<root>/log". Creates nothing.
    static QString path(const QString &relative);

    static void setOverride(const QString &dir);  // empty clears it

    // Looks for "--home DIR" or "--home=DIR" in the arguments and sets the
    // override from it; returns true when found.
    static bool applyArguments(const QStringList &arguments);
};

} // namespace qvx
