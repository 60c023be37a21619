#pragma once
// The exam window's design sizes, in pixels, shared by its construction and its behaviour.

namespace testform {

inline constexpr int DesignWidth = 732;
inline constexpr int DesignHeight = 505;
inline constexpr int MinimumHeight = 502;
inline constexpr int HeaderHeight = 45;
inline constexpr int ButtonBarHeight = 41;
inline constexpr int LetterButtonTop = 45;
inline constexpr int WideButtonTop = 156;
inline constexpr int ExamChoiceGap = 6;  // between neighbouring exam-choice buttons

}  // namespace testform
