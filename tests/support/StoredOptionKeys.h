#pragma once
// Every key the settings file holds, in the order the options are loaded. A new option adds
// its key here once; the options tests compare the store with this list.

#include <QStringList>

namespace optionkeys {

inline const QStringList Expected = {
    "QFontName",   "QFontColor",   "QFontSize",    "QFontBold",   "QFontItalic",
    "AFontName",   "AFontColor",   "AFontSize",    "AFontBold",   "AFontItalic",
    "EXPFontName", "EXPFontColor", "EXPFontSize",  "EXPFontBold", "EXPFontItalic",
    "ShowLearnBtn", "ShowCalcBtn", "TimerOn",      "DefaultTime", "CalcPath",
    "ShuffleChoices",
};

// The same keys in sorted order, as a settings file lists them.
inline QStringList sorted(QStringList keys)
{
    keys.sort();
    return keys;
}

}  // namespace optionkeys
