#include "formats/QtiFormat.h"

#include "formats/HtmlText.h"
#include "formats/ReaderSupport.h"
#include "formats/XmlTree.h"
#include "formats/Zip.h"
#include "pictures/PictureCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QXmlStreamWriter>

namespace formats {

namespace {

using Package = ZipReader;

const QString ManifestName = QStringLiteral("imsmanifest.xml");
// The largest XML file of a package read: an item or test is far smaller.
constexpr qint64 MaxXmlSize = 16 << 20;

// A path inside the package, relative to the folder of `from`; empty when it leaves the package.
QString resolve(const QString& from, const QString& href)
{
    const QString folder = QFileInfo(from).path();
    const QString joined = QDir::cleanPath(folder == QLatin1String(".") ? href : folder + QLatin1Char('/') + href);
    return joined.startsWith(QLatin1String("../")) || joined.startsWith(QLatin1Char('/')) ? QString() : joined;
}

// The root element of an XML file of the package; nothing, with `fault` set, when it is missing
// or broken.
std::optional<XmlNode> parsePart(const Package& package, const QString& path, Problem& fault)
{
    fault = {0, 0, {}, path};
    if (!package.contains(path)) {
        fault = {0, 0, QStringLiteral("the package lacks %1, which its manifest names").arg(path), {}};
        return std::nullopt;
    }
    try {
        std::optional<XmlNode> root = parseXml(package.read(path, MaxXmlSize), fault);
        fault.part = path;
        return root;
    } catch (const std::runtime_error& e) {
        fault.text = QString::fromStdString(e.what());
        return std::nullopt;
    }
}

// The section of each item file, from the titles of an assessmentTest's sections.
void readSections(const XmlNode& test, const QString& testPath, std::map<QString, int>& sections)
{
    std::vector<const XmlNode*> pending{&test};
    while (!pending.empty()) {
        const XmlNode* node = pending.back();
        pending.pop_back();
        for (const XmlNode* child : node->childElements()) {
            if (child->name == QLatin1String("assessmentSection")) {
                const int section = sectionOfCategory(child->attribute(QStringLiteral("title")));
                for (const XmlNode* ref : child->childElements(QStringLiteral("assessmentItemRef")))
                    if (section != 0)
                        sections[resolve(testPath, ref->attribute(QStringLiteral("href")))] = section;
            }
            pending.push_back(child);
        }
    }
}

struct BodyReader {
    const Package& package;
    QString itemPath;
    Item& item;
    QList<Problem>& problems;
    PlainTextBuilder question;
    PlainTextBuilder explanation;

    void addPicture(const XmlNode& img, const QString& href)
    {
        const QString path = resolve(itemPath, href);
        const auto leftOut = [&](const QString& why) {
            problems.append({img.line, img.column, QStringLiteral("the picture %1 %2; left out").arg(href, why), itemPath});
        };
        if (path.isEmpty())
            return leftOut(QStringLiteral("lies outside the package"));
        if (!package.contains(path))
            return leftOut(QStringLiteral("is not in the package"));
        QByteArray data;
        try {
            data = package.read(path, pictures::MaxFileSize);
        } catch (const std::runtime_error& e) {
            return leftOut(QStringLiteral("cannot be read (%1)").arg(QString::fromStdString(e.what())));
        }
        if (!placePicture(item, {QFileInfo(path).fileName(), data}, exhibitOfAltText(img.attribute(QStringLiteral("alt")))))
            problems.append({img.line, img.column, QStringLiteral("only two pictures are kept as exhibits; %1 left out").arg(href), itemPath});
    }

    // Walks mixed content into `text`. Left out: interactions other than their prompt, the
    // feedback shown inside the body (it would give the key away) and the alternative forms of
    // a formula, of which the first is taken.
    void walk(const XmlNode& node, PlainTextBuilder& text)
    {
        for (const XmlNode& child : node.children) {
            if (child.isText()) {
                text.addText(child.text);
            } else if (child.name == QLatin1String("feedbackInline") || child.name == QLatin1String("feedbackBlock")
                       || child.name == QLatin1String("annotation") || child.name == QLatin1String("annotation-xml")) {
                continue;
            } else if (child.name == QLatin1String("br")) {
                text.addLineBreak();
            } else if (child.name == QLatin1String("img")) {
                addPicture(child, child.attribute(QStringLiteral("src")));
            } else if (child.name == QLatin1String("object") && child.attribute(QStringLiteral("type")).startsWith(QLatin1String("image/"))) {
                addPicture(child, child.attribute(QStringLiteral("data")));
            } else if (child.name == QLatin1String("rubricBlock")) {
                walk(child, explanation);
                explanation.endBlock();
            } else if (child.name.endsWith(QLatin1String("Interaction"))) {
                if (const XmlNode* prompt = child.child(QStringLiteral("prompt"))) {
                    text.endBlock();
                    walk(*prompt, text);
                }
            } else {
                const bool block = isBlockElement(child.name);
                if (block)
                    text.endBlock();
                walk(child, text);
                if (block)
                    text.endBlock();
            }
        }
    }
};

void collectInteractions(const XmlNode& node, std::vector<const XmlNode*>& found)
{
    for (const XmlNode* child : node.childElements()) {
        if (child->name.endsWith(QLatin1String("Interaction")))
            found.push_back(child);
        else
            collectInteractions(*child, found);
    }
}

QString interactionWords(const QString& name)
{
    QString words = name.chopped(int(QStringLiteral("Interaction").size()));
    for (qsizetype i = words.size() - 1; i > 0; --i)
        if (words[i].isUpper())
            words.insert(i, QLatin1Char(' '));
    return words.toLower();
}

// The feedback identifiers the response processing of an item gives: those set where the
// response matches the correct one (`right`), and all it sets anywhere (`all`).
void feedbackValues(const XmlNode& processing, QStringList& right, QStringList& all)
{
    for (const XmlNode* child : processing.childElements()) {
        if (child->name == QLatin1String("setOutcomeValue")) {
            if (const XmlNode* value = child->find(QStringLiteral("baseValue")))
                all.append(value->innerText().trimmed());
            continue;
        }
        const bool branch = child->name == QLatin1String("responseIf") || child->name == QLatin1String("responseElseIf");
        const std::vector<const XmlNode*> parts = child->childElements();
        if (branch && !parts.empty() && (parts.front()->name == QLatin1String("match") || parts.front()->name == QLatin1String("and"))
            && parts.front()->find(QStringLiteral("correct")))
            for (const XmlNode* set : child->childElements(QStringLiteral("setOutcomeValue")))
                if (const XmlNode* value = set->find(QStringLiteral("baseValue")))
                    right.append(value->innerText().trimmed());
        feedbackValues(*child, right, all);
    }
}

// The explanation of an item: the modal feedback shown for the correct response; without one,
// the feedback shown whatever the response; never the feedback of a wrong response.
void readExplanation(const XmlNode& root, const QStringList& correct, const QStringList& choices, BodyReader& reader)
{
    QStringList right = correct, set;
    if (const XmlNode* processing = root.child(QStringLiteral("responseProcessing")))
        feedbackValues(*processing, right, set);
    static const QStringList rightWords = {QStringLiteral("correct"), QStringLiteral("right")};
    static const QStringList wrongWords = {QStringLiteral("incorrect"), QStringLiteral("wrong")};
    std::vector<const XmlNode*> forRight, general;
    for (const XmlNode* feedback : root.childElements(QStringLiteral("modalFeedback"))) {
        const QString id = feedback->attribute(QStringLiteral("identifier"));
        const bool isRight = right.contains(id) || rightWords.contains(id.toLower());
        const bool tied = isRight || set.contains(id) || choices.contains(id) || wrongWords.contains(id.toLower());
        if (!tied)  // no response shows it: feedback for every response
            general.push_back(feedback);
        else if (isRight && feedback->attribute(QStringLiteral("showHide")) != QLatin1String("hide"))
            forRight.push_back(feedback);
    }
    for (const XmlNode* feedback : forRight.empty() ? general : forRight) {
        reader.walk(*feedback, reader.explanation);
        reader.explanation.endBlock();
    }
}

Item readItem(const Package& package, const QString& path, QList<Problem>& problems)
{
    Problem fault;
    const std::optional<XmlNode> parsed = parsePart(package, path, fault);
    if (!parsed)
        throw QuestionFault{fault.text, fault.line, fault.column};
    const XmlNode& root = *parsed;
    if (root.name != QLatin1String("assessmentItem"))
        throw QuestionFault{QStringLiteral("an assessmentItem expected, not <%1>").arg(root.name)};
    Item item;  // its line would be one of a file inside the package: left at 0
    const XmlNode* body = root.child(QStringLiteral("itemBody"));
    std::vector<const XmlNode*> interactions;
    if (body)
        collectInteractions(*body, interactions);
    if (interactions.empty())
        throw QuestionFault{QStringLiteral("an item without an interaction is not supported")};
    if (interactions.size() > 1)
        throw QuestionFault{QStringLiteral("items with %1 interactions are not supported").arg(interactions.size())};
    const XmlNode& choice = *interactions.front();
    if (choice.name != QLatin1String("choiceInteraction"))
        throw QuestionFault{QStringLiteral("%1 questions are not supported").arg(interactionWords(choice.name))};

    const QString maxChoices = choice.attribute(QStringLiteral("maxChoices"));
    item.multiple = !maxChoices.isEmpty() && maxChoices != QLatin1String("1");

    QStringList correct;
    const QString response = choice.attribute(QStringLiteral("responseIdentifier"));
    for (const XmlNode* declaration : root.childElements(QStringLiteral("responseDeclaration")))
        if (declaration->attribute(QStringLiteral("identifier")) == response)
            if (const XmlNode* values = declaration->child(QStringLiteral("correctResponse")))
                for (const XmlNode* value : values->childElements(QStringLiteral("value")))
                    correct.append(value->innerText().trimmed());

    BodyReader reader{package, path, item, problems, {}, {}};
    reader.walk(*body, reader.question);

    QList<Choice> choices;
    QStringList identifiers;
    for (const XmlNode* simple : choice.childElements(QStringLiteral("simpleChoice"))) {
        PlainTextBuilder text;
        reader.walk(*simple, text);
        identifiers.append(simple->attribute(QStringLiteral("identifier")));
        choices.append({text.result(), correct.contains(identifiers.last())});
    }
    readExplanation(root, correct, identifiers, reader);
    item.question = reader.question.result();
    item.explanation = reader.explanation.result();
    for (const QString& value : correct)
        if (!identifiers.contains(value))
            throw QuestionFault{QStringLiteral("the correct response %1 names no choice").arg(value)};
    if (const auto why = setChoices(item, choices))
        throw QuestionFault{*why};
    return item;
}

// The items a package's manifest names, in its order, with the sections its test gives them.
class QtiReader : public QuestionReader {
public:
    explicit QtiReader(const QByteArray& source) : m_package(openPackage(source))
    {
        Problem fault;
        const std::optional<XmlNode> manifest = parsePart(*m_package, ManifestName, fault);
        if (!manifest)
            throw Malformed{fault};
        const XmlNode* resources = manifest->child(QStringLiteral("resources"));
        for (const XmlNode* resource : resources ? resources->childElements(QStringLiteral("resource")) : std::vector<const XmlNode*>{}) {
            const QString type = resource->attribute(QStringLiteral("type"));
            const QString href = resource->attribute(QStringLiteral("href"));
            const QString path = resolve(ManifestName, href);
            if (type.startsWith(QLatin1String("imsqti_item_")))
                m_items.push_back({href, path, resource->line});
            else if (type.startsWith(QLatin1String("imsqti_test_")))
                readTest(*resource, path);
        }
    }

    bool next() override { return ++m_at < m_items.size(); }
    Problem place() const override
    {
        const Resource& r = m_items[m_at];
        return r.path.isEmpty() ? Problem{r.line, 0, {}, ManifestName} : Problem{0, 0, {}, r.path};
    }
    Item readQuestion(QList<Problem>& notes) override
    {
        const Resource& r = m_items[m_at];
        if (r.path.isEmpty())
            throw QuestionFault{QStringLiteral("the item %1 lies outside the package").arg(r.href)};
        Item item = readItem(*m_package, r.path, notes);
        const auto section = m_sections.find(r.path);
        item.section = section == m_sections.end() ? 0 : section->second;
        return item;
    }

private:
    struct Resource {
        QString href, path;  // path empty: outside the package
        int line;            // in the manifest
    };

    // The sections a test resource gives the items. A test that cannot be read would leave
    // every item without its section, so the whole package is refused, naming the entry.
    void readTest(const XmlNode& resource, const QString& path)
    {
        const auto refuse = [&](const QString& why) {
            throw Malformed{{resource.line, 0,
                             QStringLiteral("the test %1 (%2) %3; nothing is imported")
                                 .arg(resource.attribute(QStringLiteral("identifier")), resource.attribute(QStringLiteral("href")), why),
                             ManifestName}};
        };
        if (path.isEmpty())
            refuse(QStringLiteral("lies outside the package"));
        if (!m_package->contains(path))
            refuse(QStringLiteral("is not in the package"));
        Problem fault;
        const std::optional<XmlNode> test = parsePart(*m_package, path, fault);
        if (!test)
            throw Malformed{fault};
        readSections(*test, path, m_sections);
    }

    static std::unique_ptr<Package> openPackage(const QByteArray& source)
    {
        std::unique_ptr<Package> package;
        try {
            package = std::make_unique<Package>(source);
        } catch (const std::runtime_error& e) {
            throw Malformed{{0, 0, QString::fromStdString(e.what()), {}}};
        }
        if (!package->contains(ManifestName))
            throw Malformed{{0, 0, QStringLiteral("the package has no %1").arg(ManifestName), {}}};
        return package;
    }

    std::unique_ptr<Package> m_package;
    std::vector<Resource> m_items;
    std::map<QString, int> m_sections;
    size_t m_at = size_t(-1);
};

// Writes text with its line breaks as <br/> and its indentation as no-break spaces.
void writeLines(QXmlStreamWriter& xml, const QString& text)
{
    const QStringList lines = hardSpaces(text).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            xml.writeEmptyElement(QStringLiteral("br"));
        xml.writeCharacters(lines[i]);
    }
}

const QString QtiNamespace = QStringLiteral("http://www.imsglobal.org/xsd/imsqti_v2p1");

// `pictures` holds the package names of exhibits 1 and 2, empty where there is none.
QByteArray itemXml(const Item& item, const QString& identifier, const std::array<QString, 2>& pictures)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QtiNamespace);
    xml.writeStartElement(QtiNamespace, QStringLiteral("assessmentItem"));
    xml.writeAttribute(QStringLiteral("identifier"), identifier);
    xml.writeAttribute(QStringLiteral("title"), item.question.simplified().left(60));
    xml.writeAttribute(QStringLiteral("adaptive"), QStringLiteral("false"));
    xml.writeAttribute(QStringLiteral("timeDependent"), QStringLiteral("false"));

    xml.writeStartElement(QStringLiteral("responseDeclaration"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("RESPONSE"));
    xml.writeAttribute(QStringLiteral("cardinality"), item.multiple ? QStringLiteral("multiple") : QStringLiteral("single"));
    xml.writeAttribute(QStringLiteral("baseType"), QStringLiteral("identifier"));
    xml.writeStartElement(QStringLiteral("correctResponse"));
    for (int k = 0; k < item.answerCount(); ++k)
        if (item.keys[k])
            xml.writeTextElement(QStringLiteral("value"), QString(QChar(char16_t('A' + k))));
    xml.writeEndElement();
    xml.writeEndElement();
    for (const char* outcome : {"SCORE", "FEEDBACK"}) {
        xml.writeEmptyElement(QStringLiteral("outcomeDeclaration"));
        xml.writeAttribute(QStringLiteral("identifier"), QLatin1String(outcome));
        xml.writeAttribute(QStringLiteral("cardinality"), QStringLiteral("single"));
        xml.writeAttribute(QStringLiteral("baseType"), outcome == std::string_view("SCORE") ? QStringLiteral("float") : QStringLiteral("identifier"));
    }

    xml.writeStartElement(QStringLiteral("itemBody"));
    xml.writeStartElement(QStringLiteral("p"));
    writeLines(xml, item.question);
    xml.writeEndElement();
    for (int k = 0; k < 2; ++k) {
        if (pictures[k].isEmpty())
            continue;
        xml.writeStartElement(QStringLiteral("p"));
        xml.writeEmptyElement(QStringLiteral("img"));
        xml.writeAttribute(QStringLiteral("src"), QStringLiteral("../images/") + pictures[k]);
        xml.writeAttribute(QStringLiteral("alt"), exhibitAltText(k));
        xml.writeEndElement();
    }
    xml.writeStartElement(QStringLiteral("choiceInteraction"));
    xml.writeAttribute(QStringLiteral("responseIdentifier"), QStringLiteral("RESPONSE"));
    xml.writeAttribute(QStringLiteral("shuffle"), QStringLiteral("false"));
    xml.writeAttribute(QStringLiteral("maxChoices"), item.multiple ? QStringLiteral("0") : QStringLiteral("1"));
    for (int k = 0; k < item.answerCount(); ++k) {
        xml.writeStartElement(QStringLiteral("simpleChoice"));
        xml.writeAttribute(QStringLiteral("identifier"), QString(QChar(char16_t('A' + k))));
        writeLines(xml, item.answers[k]);
        xml.writeEndElement();
    }
    xml.writeEndElement();  // choiceInteraction
    xml.writeEndElement();  // itemBody

    xml.writeEmptyElement(QStringLiteral("responseProcessing"));
    xml.writeAttribute(QStringLiteral("template"), QStringLiteral("http://www.imsglobal.org/question/qti_v2p1/rptemplates/match_correct"));
    if (!item.explanation.isEmpty()) {
        xml.writeStartElement(QStringLiteral("modalFeedback"));
        xml.writeAttribute(QStringLiteral("outcomeIdentifier"), QStringLiteral("FEEDBACK"));
        xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("EXPLANATION"));
        xml.writeAttribute(QStringLiteral("showHide"), QStringLiteral("hide"));
        writeLines(xml, item.explanation);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

// The name a picture takes in the package: its own, unless another picture holds it already,
// then "name-2.bmp", "name-3.bmp", ... The same picture twice is stored once.
QString packageName(const Picture& picture, std::map<QString, QByteArray>& stored, bool& isNew)
{
    const QFileInfo info(QFileInfo(picture.name).fileName());
    const QString base = info.completeBaseName().isEmpty() ? QStringLiteral("picture") : info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString name = base + suffix;
    for (int n = 2; stored.count(name.toLower()) && stored[name.toLower()] != picture.data; ++n)
        name = QStringLiteral("%1-%2%3").arg(base).arg(n).arg(suffix);
    isNew = !stored.count(name.toLower());
    stored[name.toLower()] = picture.data;
    return name;
}

// The package being written: its manifest, its files and the sections of its items.
class QtiWriter : public ItemWriter {
public:
    QtiWriter()
    {
        m_xml.setAutoFormatting(true);
        m_xml.writeStartDocument();
        const QString cp = QStringLiteral("http://www.imsglobal.org/xsd/imscp_v1p1");
        m_xml.writeDefaultNamespace(cp);
        m_xml.writeStartElement(cp, QStringLiteral("manifest"));
        m_xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("QUIZLORE-EXPORT"));
        m_xml.writeStartElement(QStringLiteral("metadata"));
        m_xml.writeTextElement(QStringLiteral("schema"), QStringLiteral("QTIv2.1 Package"));
        m_xml.writeTextElement(QStringLiteral("schemaversion"), QStringLiteral("1.0.0"));
        m_xml.writeEndElement();
        m_xml.writeEmptyElement(QStringLiteral("organizations"));
        m_xml.writeStartElement(QStringLiteral("resources"));
    }
    void add(const Item& item, int index) override
    {
        const QString identifier = QStringLiteral("item-%1").arg(index + 1);
        const QString path = QStringLiteral("items/%1.xml").arg(identifier);
        std::array<QString, 2> pictures;
        for (int k = 0; k < 2; ++k)
            if (!item.pictures[k].data.isEmpty()) {
                bool isNew = false;
                pictures[k] = packageName(item.pictures[k], m_storedPictures, isNew);
                if (isNew)
                    m_files.emplace_back(QStringLiteral("images/") + pictures[k], item.pictures[k].data);
            }
        m_files.emplace_back(path, itemXml(item, identifier, pictures));
        if (item.section >= 1 && item.section <= store::SectionCount)
            m_sectionItems[item.section].append(path);

        m_xml.writeStartElement(QStringLiteral("resource"));
        m_xml.writeAttribute(QStringLiteral("identifier"), identifier);
        m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("imsqti_item_xmlv2p1"));
        m_xml.writeAttribute(QStringLiteral("href"), path);
        m_xml.writeEmptyElement(QStringLiteral("file"));
        m_xml.writeAttribute(QStringLiteral("href"), path);
        for (const QString& picture : pictures) {
            if (picture.isEmpty())
                continue;
            m_xml.writeEmptyElement(QStringLiteral("file"));
            m_xml.writeAttribute(QStringLiteral("href"), QStringLiteral("images/") + picture);
        }
        m_xml.writeEndElement();
    }
    QByteArray finish() override
    {
        // The sections, as an assessmentTest whose sections bear the section names.
        QByteArray test;
        QXmlStreamWriter t(&test);
        t.setAutoFormatting(true);
        t.writeStartDocument();
        t.writeDefaultNamespace(QtiNamespace);
        t.writeStartElement(QtiNamespace, QStringLiteral("assessmentTest"));
        t.writeAttribute(QStringLiteral("identifier"), QStringLiteral("TEST"));
        t.writeAttribute(QStringLiteral("title"), QStringLiteral("Quizlore Prep questions"));
        t.writeStartElement(QStringLiteral("testPart"));
        t.writeAttribute(QStringLiteral("identifier"), QStringLiteral("PART"));
        t.writeAttribute(QStringLiteral("navigationMode"), QStringLiteral("nonlinear"));
        t.writeAttribute(QStringLiteral("submissionMode"), QStringLiteral("simultaneous"));
        for (const auto& [section, paths] : m_sectionItems) {
            t.writeStartElement(QStringLiteral("assessmentSection"));
            t.writeAttribute(QStringLiteral("identifier"), QStringLiteral("SECTION-%1").arg(section));
            t.writeAttribute(QStringLiteral("title"), sectionNames()[section - 1]);
            t.writeAttribute(QStringLiteral("visible"), QStringLiteral("true"));
            for (const QString& path : paths) {
                t.writeEmptyElement(QStringLiteral("assessmentItemRef"));
                t.writeAttribute(QStringLiteral("identifier"), QFileInfo(path).completeBaseName());
                t.writeAttribute(QStringLiteral("href"), path);
            }
            t.writeEndElement();
        }
        t.writeEndElement();
        t.writeEndElement();
        t.writeEndDocument();
        m_files.emplace_back(QStringLiteral("test.xml"), test);

        m_xml.writeStartElement(QStringLiteral("resource"));
        m_xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("TEST"));
        m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("imsqti_test_xmlv2p1"));
        m_xml.writeAttribute(QStringLiteral("href"), QStringLiteral("test.xml"));
        m_xml.writeEmptyElement(QStringLiteral("file"));
        m_xml.writeAttribute(QStringLiteral("href"), QStringLiteral("test.xml"));
        m_xml.writeEndElement();
        m_xml.writeEndElement();  // resources
        m_xml.writeEndElement();  // manifest
        m_xml.writeEndDocument();
        m_files.insert(m_files.begin(), {ManifestName, m_manifest});
        return writeZip(m_files);
    }

private:
    std::vector<std::pair<QString, QByteArray>> m_files;
    std::map<QString, QByteArray> m_storedPictures;  // by lower-case name
    std::map<int, QStringList> m_sectionItems;       // section -> item paths
    QByteArray m_manifest;
    QXmlStreamWriter m_xml{&m_manifest};
};

}  // namespace

std::unique_ptr<ItemWriter> QtiFormat::startWriting() const
{
    return std::make_unique<QtiWriter>();
}

std::unique_ptr<QuestionReader> QtiFormat::openSource(const QByteArray& source) const
{
    return std::make_unique<QtiReader>(source);
}

}  // namespace formats
