#pragma once
// What every window of both programs shares in looks: Qt's own dialogs
// (file, print, colour, calendar) in Korean, dates in the Korean locale, one
// font family that holds Korean and Latin glyphs alike, and the program icon.

#include <QString>

namespace qvx {

// The family every window draws in: the first installed face with both Korean
// and Latin glyphs, fixed-pitch faces (a Korean character two Latin letters
// wide, as the byte rulers need) first. Empty when the system has none.
QString ProgramFontFamily();

// Applies the above to the running application, before any window is made
// (a second call changes nothing).
void ApplyProgramLook();

} // namespace qvx
