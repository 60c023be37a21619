#pragma once
// Item layout: fills and arranges the item area of the exam window from the current record of
// the current exam set, and applies what depends on the exam state (key, explanation, verdict).
//
// The layout keeps no state of its own: every run recomputes captions, visibility, widths and
// positions from the record, the answer sheet and the current width of the item area.

#include <QColor>
#include <QFont>
#include <QString>

class TTestForm;

namespace lpositions {

// Layout constants, in pixels.
constexpr int QuestionBorder = 8;     // question panel border, each side
constexpr int ExhibitOffset = 2;      // exhibit row top below the question panel
constexpr int AnswerGap = 15;         // below the exhibit row and between answer labels
constexpr int RightMargin = 30;       // deducted from answer label and explanation widths
constexpr int ExplanationGap = 40;    // between the reference label and the explanation
constexpr int BottomMargin = 17;      // Bevel2: added to the scrollable height
constexpr int ButtonLeft = 40;        // radio buttons and check boxes
constexpr int LabelLeft = 80;         // answer labels
constexpr int ExplanationLeft = 8;

inline const QColor KeyColor{0, 255, 255};    // aqua: a correct answer's label, revealed
inline const QColor LabelColor{255, 255, 255};
inline const QColor CorrectColor{0, 0, 255};
inline const QColor IncorrectColor{255, 0, 0};

// The height of `text` wrapped at `width` in `font`; an empty text takes one line.
int textHeight(const QFont& font, int width, const QString& text);

// Lays the current item out: question, answers, buttons, exhibits, explanation, stored answers.
void LayoutItem(TTestForm& form);
// Reveals in review, conceals while running, sets the verdict.
void DecorateItem(TTestForm& form);
// Shows the explanation and colours the labels of the correct answers aqua, the others white.
void RevealKey(TTestForm& form);
// Sets the height of the scrollable content: the lowest shown control + Bevel2's 17 pixels.
int UpdateScrollHeight(TTestForm& form);

}  // namespace lpositions
