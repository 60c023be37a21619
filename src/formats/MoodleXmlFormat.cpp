#include "formats/MoodleXmlFormat.h"

#include "formats/HtmlText.h"
#include "formats/ReaderSupport.h"
#include "formats/XmlTree.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamWriter>

#include <map>

namespace formats {

namespace {

// The text of an element holding <text>, in its format: HTML is turned into plain text.
QString textOf(const XmlNode* holder)
{
    if (!holder)
        return {};
    const XmlNode* text = holder->child(QStringLiteral("text"));
    const QString raw = text ? text->innerText() : QString();
    const QString format = holder->attribute(QStringLiteral("format"));
    if (format.isEmpty() || format == QLatin1String("html"))
        return htmlToText(raw);
    return raw.trimmed();
}

double fractionOf(const XmlNode& answer)
{
    const QString text = answer.attribute(QStringLiteral("fraction"));
    bool ok = text.isEmpty();
    const double value = ok ? 0 : text.toDouble(&ok);
    if (!ok)
        throw QuestionFault{QStringLiteral("the fraction \"%1\" is not a number").arg(text), answer.line, answer.column};
    return value;
}

QString typeWords(const QString& type)
{
    static const QList<std::pair<QString, QString>> words = {
        {"shortanswer", "short answer"}, {"truefalse", "true/false"}, {"ddwtos", "drag-and-drop"},
        {"gapselect", "select-missing-words"}, {"multianswer", "embedded answers (Cloze)"},
        {"calculatedmulti", "calculated multichoice"}, {"randomsamatch", "random short-answer matching"}};
    for (const auto& [key, word] : words)
        if (key == type)
            return word;
    return type;
}

// The exhibit each embedded file is shown as, from the <img> tags of the question's HTML.
std::map<QString, int> exhibitsOfImages(const QString& html)
{
    static const QRegularExpression img(QStringLiteral("<img\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression src(QStringLiteral("src=\"@@PLUGINFILE@@/([^\"]+)\""));
    static const QRegularExpression alt(QStringLiteral("alt=\"([^\"]*)\""));
    std::map<QString, int> exhibits;
    for (auto it = img.globalMatch(html); it.hasNext();) {
        const QString tag = it.next().captured(0);
        const auto s = src.match(tag);
        const auto a = alt.match(tag);
        if (s.hasMatch() && a.hasMatch())
            exhibits[QUrl::fromPercentEncoding(s.captured(1).toUtf8())] = exhibitOfAltText(a.captured(1));
    }
    return exhibits;
}

void readPictures(const XmlNode& questionText, Item& item, QList<Problem>& problems)
{
    const XmlNode* html = questionText.child(QStringLiteral("text"));
    const std::map<QString, int> exhibits = exhibitsOfImages(html ? html->innerText() : QString());
    for (const XmlNode* file : questionText.childElements(QStringLiteral("file"))) {
        if (file->attribute(QStringLiteral("encoding")) != QLatin1String("base64"))
            continue;
        const auto decoded = QByteArray::fromBase64Encoding(file->innerText().toLatin1().simplified().replace(' ', ""),
                                                            QByteArray::AbortOnBase64DecodingErrors);
        const QString name = file->attribute(QStringLiteral("name"));
        if (!decoded) {
            problems.append({file->line, file->column, QStringLiteral("the picture %1 is not valid base64; left out").arg(name), {}});
            continue;
        }
        const auto exhibit = exhibits.find(name);
        if (!placePicture(item, {name, *decoded}, exhibit == exhibits.end() ? -1 : exhibit->second))
            problems.append({file->line, file->column, QStringLiteral("only two pictures are kept as exhibits; %1 left out").arg(name), {}});
    }
}

Item readMoodleQuestion(const XmlNode& q, const QString& type, QList<Problem>& problems)
{
    Item item;
    item.line = q.line;
    const XmlNode* questionText = q.child(QStringLiteral("questiontext"));
    item.question = textOf(questionText);
    item.explanation = textOf(q.child(QStringLiteral("generalfeedback")));
    if (questionText)
        readPictures(*questionText, item, problems);

    QList<Choice> choices;
    if (type == QLatin1String("truefalse")) {
        bool right = false, found = false;
        for (const XmlNode* answer : q.childElements(QStringLiteral("answer"))) {
            const bool isTrue = textOf(answer).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
            if (fractionOf(*answer) >= 99.99) {
                right = isTrue;
                found = true;
            }
        }
        if (!found)
            throw QuestionFault{QStringLiteral("no correct answer")};
        choices = {{QStringLiteral("True"), right}, {QStringLiteral("False"), !right}};
    } else {
        const QString single = q.child(QStringLiteral("single")) ? q.child(QStringLiteral("single"))->innerText().trimmed() : QString();
        item.multiple = single == QLatin1String("false") || single == QLatin1String("0");
        for (const XmlNode* answer : q.childElements(QStringLiteral("answer"))) {
            const double fraction = fractionOf(*answer);
            choices.append({textOf(answer), item.multiple ? fraction > 0 : fraction >= 99.99});
        }
    }
    if (const auto why = setChoices(item, choices))
        throw QuestionFault{*why};
    if (item.question.isEmpty())
        throw QuestionFault{QStringLiteral("the question has no text")};
    return item;
}

void writeText(QXmlStreamWriter& xml, const QString& element, const QString& html)
{
    xml.writeStartElement(element);
    xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
    xml.writeTextElement(QStringLiteral("text"), html);
    xml.writeEndElement();
}


// The <question> elements of a <quiz>, read one at a time; a category sets the section of
// those after it.
class MoodleXmlReader : public QuestionReader {
public:
    // `source` must outlive the reader.
    explicit MoodleXmlReader(QIODevice& source) : m_xml(source)
    {
        const XmlNode& quiz = m_xml.root();
        if (quiz.name != QLatin1String("quiz"))
            throw Malformed{{quiz.line, quiz.column, QStringLiteral("the document must be a <quiz>, not <%1>").arg(quiz.name), {}}};
    }

    bool next() override
    {
        while (m_xml.next(m_question)) {
            if (m_question.name != QLatin1String("question"))
                continue;
            if (type() != QLatin1String("category"))
                return true;
            m_section = sectionOfCategory(textOf(m_question.child(QStringLiteral("category"))));
        }
        return false;
    }
    Problem place() const override { return {m_question.line, 0, {}, {}}; }
    Item readQuestion(QList<Problem>& notes) override
    {
        if (type() != QLatin1String("multichoice") && type() != QLatin1String("truefalse"))
            throw QuestionFault{QStringLiteral("%1 questions are not supported").arg(typeWords(type()))};
        Item item = readMoodleQuestion(m_question, type(), notes);
        item.section = m_section;
        return item;
    }

private:
    QString type() const { return m_question.attribute(QStringLiteral("type")); }

    XmlStream m_xml;
    XmlNode m_question;
    int m_section = 0;
};

// The same over bytes in memory, which it keeps.
class MoodleXmlBytesReader : public QuestionReader {
public:
    explicit MoodleXmlBytesReader(const QByteArray& source) : m_buffer(openBuffer(source)), m_reader(*m_buffer) {}
    bool next() override { return m_reader.next(); }
    Problem place() const override { return m_reader.place(); }
    Item readQuestion(QList<Problem>& notes) override { return m_reader.readQuestion(notes); }

private:
    static std::unique_ptr<QBuffer> openBuffer(const QByteArray& source)
    {
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(source);
        buffer->open(QIODevice::ReadOnly);
        return buffer;
    }

    std::unique_ptr<QBuffer> m_buffer;
    MoodleXmlReader m_reader;
};

class MoodleXmlWriter : public ItemWriter {
public:
    MoodleXmlWriter()
    {
        m_xml.setAutoFormatting(true);
        m_xml.writeStartDocument();
        m_xml.writeStartElement(QStringLiteral("quiz"));
    }
    void add(const Item& item, int) override
    {
        if (entersSection(m_section, item)) {
            m_xml.writeStartElement(QStringLiteral("question"));
            m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("category"));
            m_xml.writeStartElement(QStringLiteral("category"));
            m_xml.writeTextElement(QStringLiteral("text"), QStringLiteral("$course$/top/") + sectionNames()[m_section - 1]);
            m_xml.writeEndElement();
            m_xml.writeEndElement();
        }
        m_xml.writeStartElement(QStringLiteral("question"));
        m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("multichoice"));
        m_xml.writeStartElement(QStringLiteral("name"));
        m_xml.writeTextElement(QStringLiteral("text"), item.question.simplified().left(60));
        m_xml.writeEndElement();

        QString html = textToHtml(item.question);
        for (int k = 0; k < 2; ++k)
            if (!item.pictures[k].data.isEmpty())
                html += QStringLiteral("<br><img src=\"@@PLUGINFILE@@/%1\" alt=\"%2\">")
                            .arg(QString::fromUtf8(QUrl::toPercentEncoding(item.pictures[k].name)), exhibitAltText(k));
        m_xml.writeStartElement(QStringLiteral("questiontext"));
        m_xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        m_xml.writeTextElement(QStringLiteral("text"), html);
        for (const Picture& picture : item.pictures) {
            if (picture.data.isEmpty())
                continue;
            m_xml.writeStartElement(QStringLiteral("file"));
            m_xml.writeAttribute(QStringLiteral("name"), picture.name);
            m_xml.writeAttribute(QStringLiteral("path"), QStringLiteral("/"));
            m_xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
            m_xml.writeCharacters(QString::fromLatin1(picture.data.toBase64()));
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
        writeText(m_xml, QStringLiteral("generalfeedback"), textToHtml(item.explanation));
        m_xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
        m_xml.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0"));
        m_xml.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
        m_xml.writeTextElement(QStringLiteral("single"), item.multiple ? QStringLiteral("false") : QStringLiteral("true"));
        m_xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("false"));
        m_xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("abc"));
        for (int k = 0; k < item.answerCount(); ++k) {
            m_xml.writeStartElement(QStringLiteral("answer"));
            const QString wrong = item.multiple ? QStringLiteral("-100") : QStringLiteral("0");
            const QString right = item.multiple ? keyShare(item.keyCount()) : QStringLiteral("100");
            m_xml.writeAttribute(QStringLiteral("fraction"), item.keys[k] ? right : wrong);
            m_xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
            m_xml.writeTextElement(QStringLiteral("text"), textToHtml(item.answers[k]));
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }
    QByteArray finish() override
    {
        m_xml.writeEndElement();
        m_xml.writeEndDocument();
        return m_out;
    }

private:
    QByteArray m_out;
    QXmlStreamWriter m_xml{&m_out};
    int m_section = -1;
};

}  // namespace

std::unique_ptr<ItemWriter> MoodleXmlFormat::startWriting() const
{
    return std::make_unique<MoodleXmlWriter>();
}

std::unique_ptr<QuestionReader> MoodleXmlFormat::openSource(const QByteArray& source) const
{
    return std::make_unique<MoodleXmlBytesReader>(source);
}

std::unique_ptr<QuestionReader> MoodleXmlFormat::openStream(QIODevice& source) const
{
    return std::make_unique<MoodleXmlReader>(source);
}

}  // namespace formats
