// Chooses the bold Japanese gothic font that drawn text uses.
#pragma once

#include <QFont>
#include <QStringList>

namespace tavori::qt {

// "ＭＳゴシック" when installed, else IPAGothic, else a monospace font with Japanese glyphs,
// else any font with Japanese glyphs, else the default font. Always bold.
QFont chooseTextFont();

// The same choice over a given list of installed families (with those that are fixed pitch).
QString chooseTextFamily(const QStringList& japaneseFamilies, const QStringList& fixedPitchFamilies);

}  // namespace tavori::qt
