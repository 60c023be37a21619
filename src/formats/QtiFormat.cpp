#include "formats/QtiFormat.h"

#include "formats/HtmlText.h"
#include "formats/ReaderSupport.h"
#include "formats/XmlTree.h"
#include "formats/Zip.h"

#include <QDir>
#include <QFileInfo>
#include <QXmlStreamWriter>

namespace formats {

namespace {

using Package = std::map<QString, QByteArray>;

const QString ManifestName = QStringLiteral("imsmanifest.xml");

// A path inside the package, relative to the folder of `from`; empty when it leaves the package.
QString resolve(const QString& from, const QString& href)
{
    const QString folder = QFileInfo(from).path();
    const QString joined = QDir::cleanPath(folder == QLatin1String(".") ? href : folder + QLatin1Char('/') + href);
    return joined.startsWith(QLatin1String("../")) || joined.startsWith(QLatin1Char('/')) ? QString() : joined;
}

XmlNode parsePart(const Package& package, const QString& path)
{
    const auto file = package.find(path);
    if (file == package.end())
        throw Malformed{{0, 0, QStringLiteral("the package lacks %1, which its manifest names").arg(path), {}}};
    Problem fault;
    std::optional<XmlNode> root = parseXml(file->second, fault);
    if (!root) {
        fault.part = path;
        throw Malformed{fault};
    }
    return std::move(*root);
}

// The section of each item file, from the titles of an assessmentTest's sections.
void readSections(const Package& package, const QString& testPath, std::map<QString, int>& sections)
{
    const XmlNode test = parsePart(package, testPath);
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
        const auto file = path.isEmpty() ? package.end() : package.find(path);
        if (file == package.end()) {
            problems.append({img.line, img.column, QStringLiteral("the picture %1 is not in the package; left out").arg(href), itemPath});
            return;
        }
        if (!placePicture(item, {QFileInfo(path).fileName(), file->second}, exhibitOfAltText(img.attribute(QStringLiteral("alt")))))
            problems.append({img.line, img.column, QStringLiteral("only two pictures are kept as exhibits; %1 left out").arg(href), itemPath});
    }

    // Walks mixed content into `text`; interactions other than their prompt are left out.
    void walk(const XmlNode& node, PlainTextBuilder& text)
    {
        for (const XmlNode& child : node.children) {
            if (child.isText()) {
                text.addText(child.text);
            } else if (child.name == QLatin1String("br")) {
                text.addLineBreak();
            } else if (child.name == QLatin1String("img")) {
                addPicture(child, child.attribute(QStringLiteral("src")));
            } else if (child.name == QLatin1String("object") && child.attribute(QStringLiteral("type")).startsWith(QLatin1String("image/"))) {
                addPicture(child, child.attribute(QStringLiteral("data")));
            } else if (child.name == QLatin1String("rubricBlock")) {
                walk(child, explanation);
                explanation.addLineBreak();
            } else if (child.name.endsWith(QLatin1String("Interaction"))) {
                if (const XmlNode* prompt = child.child(QStringLiteral("prompt"))) {
                    text.addLineBreak();
                    walk(*prompt, text);
                }
            } else {
                walk(child, text);
                if (isBlockElement(child.name))
                    text.addLineBreak();
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

Item readItem(const Package& package, const QString& path, QList<Problem>& problems)
{
    const XmlNode root = parsePart(package, path);
    if (root.name != QLatin1String("assessmentItem"))
        throw Malformed{{root.line, root.column, QStringLiteral("an assessmentItem expected, not <%1>").arg(root.name), path}};
    Item item;  // its line would be one of a file inside the package: left at 0
    const XmlNode* body = root.child(QStringLiteral("itemBody"));
    std::vector<const XmlNode*> interactions;
    if (body)
        collectInteractions(*body, interactions);
    if (interactions.empty())
        throw Unsupported{QStringLiteral("an item without an interaction is not supported")};
    if (interactions.size() > 1)
        throw Unsupported{QStringLiteral("items with %1 interactions are not supported").arg(interactions.size())};
    const XmlNode& choice = *interactions.front();
    if (choice.name != QLatin1String("choiceInteraction"))
        throw Unsupported{QStringLiteral("%1 questions are not supported").arg(interactionWords(choice.name))};

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
    for (const XmlNode* feedback : root.childElements(QStringLiteral("modalFeedback"))) {
        reader.walk(*feedback, reader.explanation);
        reader.explanation.addLineBreak();
    }
    item.question = reader.question.result();
    item.explanation = reader.explanation.result();

    QList<Choice> choices;
    QStringList identifiers;
    for (const XmlNode* simple : choice.childElements(QStringLiteral("simpleChoice"))) {
        PlainTextBuilder text;
        reader.walk(*simple, text);
        identifiers.append(simple->attribute(QStringLiteral("identifier")));
        choices.append({text.result(), correct.contains(identifiers.last())});
    }
    for (const QString& value : correct)
        if (!identifiers.contains(value))
            throw Unsupported{QStringLiteral("the correct response %1 names no choice").arg(value)};
    if (const auto why = setChoices(item, choices))
        throw Unsupported{*why};
    if (item.question.isEmpty())
        throw Unsupported{QStringLiteral("the question has no text")};
    return item;
}

// Writes text with its line breaks as <br/>.
void writeLines(QXmlStreamWriter& xml, const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
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

}  // namespace

ReadResult QtiFormat::read(const QByteArray& source, store::TableKind) const
{
    ReadResult result;
    try {
        QString error;
        const std::optional<Package> package = readZip(source, error);
        if (!package)
            throw Malformed{{0, 0, error, {}}};
        if (!package->count(ManifestName))
            throw Malformed{{0, 0, QStringLiteral("the package has no %1").arg(ManifestName), {}}};
        const XmlNode manifest = parsePart(*package, ManifestName);
        QStringList itemPaths;
        std::map<QString, int> sections;
        if (const XmlNode* resources = manifest.child(QStringLiteral("resources"))) {
            for (const XmlNode* resource : resources->childElements(QStringLiteral("resource"))) {
                const QString type = resource->attribute(QStringLiteral("type"));
                const QString href = resource->attribute(QStringLiteral("href"));
                const QString path = resolve(ManifestName, href);
                if (!type.startsWith(QLatin1String("imsqti_")))
                    continue;
                if (path.isEmpty())
                    throw Malformed{{resource->line, resource->column, QStringLiteral("the resource %1 lies outside the package").arg(href), ManifestName}};
                if (type.startsWith(QLatin1String("imsqti_item_")))
                    itemPaths.append(path);
                else if (type.startsWith(QLatin1String("imsqti_test_")))
                    readSections(*package, path, sections);
            }
        }
        for (const QString& path : itemPaths) {
            try {
                Item item = readItem(*package, path, result.problems);
                const auto section = sections.find(path);
                item.section = section == sections.end() ? 0 : section->second;
                result.items.push_back(std::move(item));
            } catch (const Unsupported& u) {
                skipQuestion(result, {0, 0, {}, path}, u.text);
            }
        }
    } catch (const Malformed& m) {
        return malformedResult(m.problem);
    }
    return result;
}

WriteResult QtiFormat::write(const std::vector<Item>& items, store::TableKind) const
{
    WriteResult result;
    std::vector<std::pair<QString, QByteArray>> files;
    std::map<QString, QByteArray> storedPictures;  // by lower-case name
    std::map<int, QStringList> sectionItems;  // section -> item paths
    QByteArray manifest;
    QXmlStreamWriter xml(&manifest);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    const QString cp = QStringLiteral("http://www.imsglobal.org/xsd/imscp_v1p1");
    xml.writeDefaultNamespace(cp);
    xml.writeStartElement(cp, QStringLiteral("manifest"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("QUIZLORE-EXPORT"));
    xml.writeStartElement(QStringLiteral("metadata"));
    xml.writeTextElement(QStringLiteral("schema"), QStringLiteral("QTIv2.1 Package"));
    xml.writeTextElement(QStringLiteral("schemaversion"), QStringLiteral("1.0.0"));
    xml.writeEndElement();
    xml.writeEmptyElement(QStringLiteral("organizations"));
    xml.writeStartElement(QStringLiteral("resources"));
    for (size_t i = 0; i < items.size(); ++i) {
        const Item item = items[i].compacted();
        if (skipUnwritable(item, int(i), result))
            continue;
        const QString identifier = QStringLiteral("item-%1").arg(i + 1);
        const QString path = QStringLiteral("items/%1.xml").arg(identifier);
        std::array<QString, 2> pictures;
        for (int k = 0; k < 2; ++k)
            if (!item.pictures[k].data.isEmpty()) {
                bool isNew = false;
                pictures[k] = packageName(item.pictures[k], storedPictures, isNew);
                if (isNew)
                    files.emplace_back(QStringLiteral("images/") + pictures[k], item.pictures[k].data);
            }
        files.emplace_back(path, itemXml(item, identifier, pictures));
        if (item.section >= 1 && item.section <= 4)
            sectionItems[item.section].append(path);

        xml.writeStartElement(QStringLiteral("resource"));
        xml.writeAttribute(QStringLiteral("identifier"), identifier);
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("imsqti_item_xmlv2p1"));
        xml.writeAttribute(QStringLiteral("href"), path);
        xml.writeEmptyElement(QStringLiteral("file"));
        xml.writeAttribute(QStringLiteral("href"), path);
        for (const QString& picture : pictures) {
            if (picture.isEmpty())
                continue;
            xml.writeEmptyElement(QStringLiteral("file"));
            xml.writeAttribute(QStringLiteral("href"), QStringLiteral("images/") + picture);
        }
        xml.writeEndElement();
        ++result.written;
    }

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
    for (const auto& [section, paths] : sectionItems) {
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
    files.emplace_back(QStringLiteral("test.xml"), test);

    xml.writeStartElement(QStringLiteral("resource"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("TEST"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("imsqti_test_xmlv2p1"));
    xml.writeAttribute(QStringLiteral("href"), QStringLiteral("test.xml"));
    xml.writeEmptyElement(QStringLiteral("file"));
    xml.writeAttribute(QStringLiteral("href"), QStringLiteral("test.xml"));
    xml.writeEndElement();
    xml.writeEndElement();  // resources
    xml.writeEndElement();  // manifest
    xml.writeEndDocument();
    files.insert(files.begin(), {ManifestName, manifest});
    result.data = writeZip(files);
    return result;
}

}  // namespace formats
