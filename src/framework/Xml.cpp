#include "framework/Xml.h"

#include "framework/AtomicFile.h"
#include "framework/TextFile.h"


#include <pugixml.hpp>

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

namespace fw {

namespace {

pugi::xml_node wrap(pugi::xml_node_struct* n)
{
    return pugi::xml_node(n);
}

std::string utf8(const QString& s)
{
    return s.toStdString();
}

QString qs(const pugi::char_t* s)
{
    return QString::fromUtf8(s);
}

// A comment may not hold "--" nor end with "-"; a blank keeps the text
// readable and the file well-formed.
std::string commentSafe(const QString& text)
{
    std::string s = utf8(text);
    std::string out;
    for (char c : s) {
        if (c == '-' && !out.empty() && out.back() == '-')
            out += ' ';
        out += c;
    }
    if (!out.empty() && out.back() == '-')
        out += ' ';
    return out;
}

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

// Name of the first attribute that occurs twice on one element, else empty.
QString duplicateAttribute(pugi::xml_node root)
{
    struct Walker : pugi::xml_tree_walker {
        QString found;
        bool for_each(pugi::xml_node& node) override
        {
            // One pass with a hash per element: a file may carry tens of
            // thousands of attributes on one element.
            seen.clear();
            const char* first = nullptr;
            size_t firstIndex = 0;
            size_t index = 0;
            for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute(), ++index) {
                const auto [it, added] = seen.emplace(std::string_view(a.name()), index);
                if (!added && (!first || it->second < firstIndex)) {
                    first = a.name();
                    firstIndex = it->second;
                }
            }
            if (!first)
                return true;
            found = QString::fromUtf8(first);
            return false;
        }
        std::unordered_map<std::string_view, size_t> seen;   // name -> index of its first use
    } walker;
    pugi::xml_node start = root;
    walker.for_each(start);
    if (walker.found.isEmpty())
        root.traverse(walker);
    return walker.found;
}

} // namespace

// ---- TXmlNode ----------------------------------------------------------------------------

TXmlNodeType TXmlNode::NodeType() const
{
    switch (wrap(FNode).type()) {
    case pugi::node_document:
        return TXmlNodeType::Document;
    case pugi::node_element:
        return TXmlNodeType::Element;
    case pugi::node_pcdata:
        return TXmlNodeType::Text;
    case pugi::node_cdata:
        return TXmlNodeType::CData;
    case pugi::node_comment:
        return TXmlNodeType::Comment;
    case pugi::node_pi:
        return TXmlNodeType::ProcessingInstruction;
    case pugi::node_declaration:
        return TXmlNodeType::Declaration;
    case pugi::node_doctype:
        return TXmlNodeType::Doctype;
    default:
        return TXmlNodeType::Null;
    }
}

QString TXmlNode::NodeName() const
{
    switch (NodeType()) {
    case TXmlNodeType::Text:
        return QStringLiteral("#text");
    case TXmlNodeType::CData:
        return QStringLiteral("#cdata-section");
    case TXmlNodeType::Comment:
        return QStringLiteral("#comment");
    case TXmlNodeType::Document:
        return QStringLiteral("#document");
    case TXmlNodeType::Doctype:
        return QStringLiteral("#doctype");
    default:
        return qs(wrap(FNode).name());
    }
}

QString TXmlNode::Text() const
{
    const pugi::xml_node n = wrap(FNode);
    switch (n.type()) {
    case pugi::node_element: {
        std::string s;
        for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
            if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
                s += c.value();
        return QString::fromStdString(s);
    }
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi:
        return qs(n.value());
    default:
        return {};
    }
}

void TXmlNode::SetText(const QString& text)
{
    pugi::xml_node n = wrap(FNode);
    switch (n.type()) {
    case pugi::node_element:
        n.remove_children();
        if (!text.isEmpty())
            n.append_child(pugi::node_pcdata).set_value(utf8(text).c_str());
        break;
    case pugi::node_comment:
        n.set_value(commentSafe(text).c_str());
        break;
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_pi:
        n.set_value(utf8(text).c_str());
        break;
    default:
        break;
    }
}

bool TXmlNode::IsTextElement() const
{
    const pugi::xml_node n = wrap(FNode);
    if (n.type() != pugi::node_element)
        return false;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            return false;
    return true;
}

TXmlNodeList TXmlNode::ChildNodes() const
{
    return TXmlNodeList(*this);
}

bool TXmlNode::HasChildNodes() const
{
    return bool(wrap(FNode).first_child());
}

TXmlNode TXmlNode::FirstChild() const
{
    return TXmlNode(wrap(FNode).first_child().internal_object());
}

TXmlNode TXmlNode::NextSibling() const
{
    return TXmlNode(wrap(FNode).next_sibling().internal_object());
}

TXmlNode TXmlNode::ParentNode() const
{
    return TXmlNode(wrap(FNode).parent().internal_object());
}

TXmlNode TXmlNode::FindNode(const QString& name) const
{
    if (!FNode)
        return {};
    return TXmlNode(wrap(FNode).child(utf8(name).c_str()).internal_object());
}

TXmlNode TXmlNode::AddChild(const QString& name)
{
    pugi::xml_node n = wrap(FNode);
    if (n.type() == pugi::node_document) {
        // A document has one root element.
        for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
            if (c.type() == pugi::node_element)
                return {};
    } else if (n.type() != pugi::node_element) {
        return {};
    }
    pugi::xml_node c = n.append_child(pugi::node_element);
    c.set_name(utf8(name).c_str());
    return TXmlNode(c.internal_object());
}

TXmlNode TXmlNode::AppendComment(const QString& text)
{
    pugi::xml_node n = wrap(FNode);
    if (n.type() != pugi::node_document && n.type() != pugi::node_element)
        return {};
    pugi::xml_node c = n.append_child(pugi::node_comment);
    c.set_value(commentSafe(text).c_str());
    return TXmlNode(c.internal_object());
}

bool TXmlNode::RemoveChild(const TXmlNode& child)
{
    if (!FNode || !child.FNode)
        return false;
    return wrap(FNode).remove_child(wrap(child.FNode));
}

void TXmlNode::ClearChildNodes()
{
    if (FNode)
        wrap(FNode).remove_children();
}

bool TXmlNode::HasAttribute(const QString& name) const
{
    if (!FNode)
        return false;
    return bool(wrap(FNode).attribute(utf8(name).c_str()));
}

QString TXmlNode::Attribute(const QString& name, const QString& def) const
{
    if (!FNode)
        return def;
    const pugi::xml_attribute a = wrap(FNode).attribute(utf8(name).c_str());
    return a ? qs(a.value()) : def;
}

void TXmlNode::SetAttribute(const QString& name, const QString& value)
{
    pugi::xml_node n = wrap(FNode);
    if (n.type() != pugi::node_element)
        return;
    const std::string key = utf8(name);
    pugi::xml_attribute a = n.attribute(key.c_str());
    if (!a)
        a = n.append_attribute(key.c_str());
    a.set_value(utf8(value).c_str());
}

bool TXmlNode::RemoveAttribute(const QString& name)
{
    if (!FNode)
        return false;
    return wrap(FNode).remove_attribute(utf8(name).c_str());
}

QList<QPair<QString, QString>> TXmlNode::Attributes() const
{
    QList<QPair<QString, QString>> out;
    if (!FNode)
        return out;
    for (pugi::xml_attribute a = wrap(FNode).first_attribute(); a; a = a.next_attribute())
        out.append({qs(a.name()), qs(a.value())});
    return out;
}

QString TXmlNode::Xml() const
{
    if (!FNode)
        return {};
    StringWriter w;
    wrap(FNode).print(w, "", pugi::format_raw, pugi::encoding_utf8);
    return QString::fromStdString(w.text);
}

// ---- TXmlNodeList -------------------------------------------------------------------------

int TXmlNodeList::Count() const
{
    int n = 0;
    for (TXmlNode c = FParent.FirstChild(); c; c = c.NextSibling())
        ++n;
    return n;
}

TXmlNode TXmlNodeList::Nodes(int index) const
{
    if (index < 0)
        return {};
    TXmlNode c = FParent.FirstChild();
    for (int i = 0; c && i < index; ++i)
        c = c.NextSibling();
    return c;
}

TXmlNode TXmlNodeList::First() const
{
    return FParent.FirstChild();
}

TXmlNode TXmlNodeList::Last() const
{
    if (FParent.IsNull())
        return {};
    return TXmlNode(wrap(FParent.FNode).last_child().internal_object());
}

TXmlNode TXmlNodeList::FindNode(const QString& name) const
{
    return FParent.FindNode(name);
}

void TXmlNodeList::Clear()
{
    FParent.ClearChildNodes();
}

// ---- TXmlDocument --------------------------------------------------------------------------

struct TXmlDocument::Impl {
    pugi::xml_document doc;
    QString lastError;

    TXmlNode docNode() const { return TXmlNode(doc.internal_object()); }

    bool load(const QByteArray& bytes, pugi::xml_encoding encoding, const QString& source)
    {
        doc.reset();
        // Fragment mode keeps text outside the root as nodes, so that it can be
        // refused below. A blank-only value (<a> </a>) is kept as typed, while
        // the indentation between elements is dropped.
        const unsigned flags = pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration
                               | pugi::parse_doctype | pugi::parse_fragment | pugi::parse_ws_pcdata_single;
        const pugi::xml_parse_result res = doc.load_buffer(bytes.constData(), size_t(bytes.size()), flags, encoding);
        if (!res) {
            const qsizetype offset = std::min<qsizetype>(res.offset, bytes.size());
            const int line = int(bytes.left(offset).count('\n')) + 1;
            return fail(QStringLiteral("%1: %2 (line %3)").arg(source, QString::fromUtf8(res.description())).arg(line));
        }
        // The parser accepts some shapes that are not documents.
        int elements = 0;
        for (pugi::xml_node c = doc.first_child(); c; c = c.next_sibling()) {
            if (c.type() == pugi::node_element)
                ++elements;
            else if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
                return fail(QStringLiteral("%1: text outside the root element").arg(source));
        }
        if (elements != 1)
            return fail(elements == 0 ? QStringLiteral("%1: no root element").arg(source)
                                      : QStringLiteral("%1: more than one root element").arg(source));
        if (const QString dup = duplicateAttribute(doc.document_element()); !dup.isEmpty())
            return fail(QStringLiteral("%1: attribute \"%2\" given twice").arg(source, dup));
        lastError.clear();
        return true;
    }

    bool fail(const QString& message)
    {
        doc.reset();
        lastError = message;
        return false;
    }

    std::string serialize(const TXmlSaveOptions& options) const
    {
        StringWriter w;
        bool hasDeclaration = false;
        for (pugi::xml_node c = doc.first_child(); c; c = c.next_sibling())
            hasDeclaration = hasDeclaration || c.type() == pugi::node_declaration;
        if (options.Declaration && !hasDeclaration)
            w.text += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        const unsigned flags = options.Indent ? pugi::format_indent : pugi::format_raw;
        for (pugi::xml_node c = doc.first_child(); c; c = c.next_sibling()) {
            c.print(w, "\t", flags, pugi::encoding_utf8);
            if (!options.Indent)
                w.text += '\n';
        }
        return w.text;
    }
};

TXmlDocument::TXmlDocument() : d(std::make_unique<Impl>()) {}

TXmlDocument::~TXmlDocument() = default;

void TXmlDocument::Clear()
{
    d->doc.reset();
    d->lastError.clear();
}

bool TXmlDocument::LoadFromFile(const QString& fileName)
{
    QByteArray bytes;
    QString error;
    if (!ReadTextFileBytes(fileName, bytes, &error))
        return d->fail(error);
    return d->load(bytes, pugi::encoding_auto, fileName);
}

bool TXmlDocument::LoadFromString(const QString& xml)
{
    return d->load(xml.toUtf8(), pugi::encoding_utf8, QStringLiteral("XML text"));
}

QString TXmlDocument::LastError() const
{
    return d->lastError;
}

bool TXmlDocument::SaveToFile(const QString& fileName, const TXmlSaveOptions& options)
{
    const std::string text = d->serialize(options);
    QString error;
    if (!WriteFileAtomically(fileName, QByteArray(text.data(), qsizetype(text.size())), &error)) {
        d->lastError = error;
        return false;
    }
    d->lastError.clear();
    return true;
}

QString TXmlDocument::XmlText(const TXmlSaveOptions& options) const
{
    return QString::fromStdString(d->serialize(options));
}

int TXmlDocument::ElementDepth() const
{
    // The parser's walk keeps its own stack of parents, not the call stack.
    struct Walker : pugi::xml_tree_walker {
        int deepest = 0;
        bool for_each(pugi::xml_node& node) override
        {
            if (node.type() == pugi::node_element)
                deepest = std::max(deepest, depth() + 1);
            return true;
        }
    } walker;
    d->doc.traverse(walker);
    return walker.deepest;
}

TXmlNodeList TXmlDocument::ChildNodes() const
{
    return TXmlNodeList(d->docNode());
}

TXmlNode TXmlDocument::FirstNode() const
{
    return d->docNode().FirstChild();
}

TXmlNode TXmlDocument::DocumentElement() const
{
    return TXmlNode(d->doc.document_element().internal_object());
}

TXmlNode TXmlDocument::AddChild(const QString& name)
{
    return d->docNode().AddChild(name);
}

TXmlNode TXmlDocument::AppendComment(const QString& text)
{
    return d->docNode().AppendComment(text);
}

} // namespace fw
