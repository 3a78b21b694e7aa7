#pragma once
// The XML document service of the platform: a small DOM over pugixml with
// what the windows need (load, save, child lists, find by name, element text,
// attributes in insertion order, elements and comments). Text is UTF-8 on
// disk and QString in memory.
#include "framework/SysUtils.h"

#include <QList>
#include <QPair>
#include <QString>

#include <iterator>
#include <memory>

namespace pugi {
struct xml_node_struct;
}

namespace fw {

class EXmlError : public Exception {
public:
    using Exception::Exception;
};

enum class TXmlNodeType { Null, Document, Element, Text, CData, Comment, ProcessingInstruction, Declaration, Doctype };

class TXmlNodeList;

// A handle to a node of a TXmlDocument; copying copies the handle. A null
// handle answers every query with an empty result and ignores every change.
// Handles become invalid when their node is removed or the document is
// cleared, reloaded or destroyed.
class TXmlNode {
public:
    TXmlNode() = default;

    bool IsNull() const { return FNode == nullptr; }
    explicit operator bool() const { return FNode != nullptr; }
    TXmlNodeType NodeType() const;
    bool IsElement() const { return NodeType() == TXmlNodeType::Element; }
    // Element name; "#text", "#cdata-section", "#comment" for those nodes.
    QString NodeName() const;

    // Element: the text of its text and CDATA children, joined (child
    // elements are not looked into). Text, CDATA, comment: its value.
    QString Text() const;
    // Element: replaces all children with one text node (none for an empty
    // text). Text, CDATA, comment: sets its value.
    void SetText(const QString& text);
    // True for an element with no child elements (an empty one included).
    bool IsTextElement() const;

    TXmlNodeList ChildNodes() const;
    bool HasChildNodes() const;
    TXmlNode FirstChild() const;
    TXmlNode NextSibling() const;
    TXmlNode ParentNode() const;
    // First child element of that name (case-sensitive); null when none.
    TXmlNode FindNode(const QString& name) const;

    // Appends a child element / comment and returns it.
    TXmlNode AddChild(const QString& name);
    TXmlNode AppendComment(const QString& text);
    bool RemoveChild(const TXmlNode& child);
    void ClearChildNodes();

    // Attributes have no namespace. Reading a missing one gives `def`;
    // setting an existing one keeps its position, a new one is appended.
    bool HasAttribute(const QString& name) const;
    QString Attribute(const QString& name, const QString& def = {}) const;
    void SetAttribute(const QString& name, const QString& value);
    bool RemoveAttribute(const QString& name);
    QList<QPair<QString, QString>> Attributes() const;   // document order

    // XML text of this node and its descendants, without formatting.
    QString Xml() const;

    friend bool operator==(const TXmlNode& a, const TXmlNode& b) { return a.FNode == b.FNode; }

private:
    friend class TXmlDocument;
    friend class TXmlNodeList;
    explicit TXmlNode(pugi::xml_node_struct* n) : FNode(n) {}
    pugi::xml_node_struct* FNode = nullptr;
};

// The children of a node, read live: later changes to the node show.
class TXmlNodeList {
public:
    int Count() const;
    TXmlNode Nodes(int index) const;   // null when out of range
    TXmlNode operator[](int index) const { return Nodes(index); }
    TXmlNode First() const;
    TXmlNode Last() const;
    TXmlNode FindNode(const QString& name) const;
    void Clear();

    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = TXmlNode;
        using difference_type = std::ptrdiff_t;
        using pointer = const TXmlNode*;
        using reference = TXmlNode;
        TXmlNode operator*() const { return FNode; }
        iterator& operator++() { FNode = FNode.NextSibling(); return *this; }
        iterator operator++(int) { iterator t = *this; ++*this; return t; }
        friend bool operator==(const iterator& a, const iterator& b) { return a.FNode == b.FNode; }

    private:
        friend class TXmlNodeList;
        explicit iterator(TXmlNode n) : FNode(n) {}
        TXmlNode FNode;
    };
    iterator begin() const { return iterator(First()); }
    iterator end() const { return iterator(TXmlNode()); }

private:
    friend class TXmlNode;
    friend class TXmlDocument;
    explicit TXmlNodeList(TXmlNode parent) : FParent(parent) {}
    TXmlNode FParent;
};

struct TXmlSaveOptions {
    bool Declaration = false;   // write <?xml version="1.0" encoding="UTF-8"?>
    bool Indent = false;        // one element per line, indented by a tab
};

class TXmlDocument {
public:
    TXmlDocument();
    ~TXmlDocument();
    TXmlDocument(const TXmlDocument&) = delete;
    TXmlDocument& operator=(const TXmlDocument&) = delete;

    // Removes every node: an empty, active document.
    void Clear();

    // Replace the document's content. On failure (missing or unreadable
    // file, text that is not well-formed XML) the document is left empty,
    // false is returned and LastError() describes the problem.
    bool LoadFromFile(const QString& fileName);
    bool LoadFromString(const QString& xml);
    QString LastError() const;

    // Writes the document in UTF-8 to a temporary file in the target's
    // folder, flushes it to disk and renames it over the target, so the old
    // file survives any failure. False with LastError() on failure.
    bool SaveToFile(const QString& fileName, const TXmlSaveOptions& options = {});
    QString XmlText(const TXmlSaveOptions& options = {}) const;

    // How deeply elements nest: 1 for a lone root element, 0 for an empty
    // document. Walked without recursion, so any document can be measured.
    int ElementDepth() const;

    // The top-level nodes (root element, comments, declaration, ...).
    TXmlNodeList ChildNodes() const;
    TXmlNode FirstNode() const;         // first top-level node of any kind
    TXmlNode DocumentElement() const;   // the top-level element, null when none
    // Appends the root element; null when the document has one already.
    TXmlNode AddChild(const QString& name);
    TXmlNode AppendComment(const QString& text);   // at document level

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace fw
