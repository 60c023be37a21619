#pragma once
// Plain text with line breaks to and from the HTML of question texts.

#include <QString>

namespace formats {

// Collects the text of HTML: runs of white space become one space, line breaks and block
// ends become "\n", spaces around line breaks and at both ends are dropped. No-break spaces
// are kept, as spaces: they carry indentation.
class PlainTextBuilder {
public:
    void addText(const QString& raw);  // white space in `raw` is layout, not content
    void addLineBreak();  // <br>: always a new line, so that two make a blank line
    void endBlock();      // the start or end of a paragraph: a new line unless one is begun
    QString result() const;

private:
    QString m_text;
};

// Tags stripped, entities decoded, <br> and the ends of paragraphs as line breaks.
QString htmlToText(const QString& html);
// The spaces of `text` that HTML would collapse (at the start of a line, after another space)
// as no-break spaces, so that indentation survives.
QString hardSpaces(const QString& text);
// Special characters escaped, line breaks as <br>, indentation as &nbsp;.
QString textToHtml(const QString& text);

// True for the elements whose end starts a new line (p, div, li, headings, tr).
bool isBlockElement(const QString& tagName);

}  // namespace formats
