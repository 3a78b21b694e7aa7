#include "framework/WordDocument.h"

#include "framework/SysUtils.h"

#include <pugixml.hpp>

#include <cstring>

namespace fw {

namespace {

const char* const WNs = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
const QString DocumentPart = QStringLiteral("word/document.xml");

const char* const ContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "</Types>";
const char* const PackageRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/></Relationships>";
const char* const EmptyDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
    "<w:body><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
    "<w:pgMar w:top=\"1417\" w:right=\"1134\" w:bottom=\"1134\" w:left=\"1134\" w:header=\"708\" "
    "w:footer=\"708\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>";

QByteArray Serialise(const pugi::xml_document& doc)
{
    struct Writer : pugi::xml_writer {
        QByteArray out;
        void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), qsizetype(size)); }
    } w;
    doc.save(w, "", pugi::format_raw, pugi::encoding_utf8);
    return w.out;
}

// One run per line; tabs as tab elements.
void AppendText(pugi::xml_node p, const QString& text)
{
    pugi::xml_node r = p.append_child("w:r");
    QString piece;
    auto flush = [&] {
        if (piece.isEmpty())
            return;
        pugi::xml_node t = r.append_child("w:t");
        t.append_attribute("xml:space") = "preserve";
        t.text().set(piece.toUtf8().constData());
        piece.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            flush();
            r.append_child("w:br");
            if (ch == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (ch == QLatin1Char('\t')) {
            flush();
            r.append_child("w:tab");
        } else if (ch.unicode() < 0x20) {
            // Characters XML cannot carry are left out.
        } else {
            piece += ch;
        }
    }
    flush();
}

// Elements built with the "w:" prefix take the document's own prefix.
void Adopt(pugi::xml_node n, const QString& prefix)
{
    if (prefix == QLatin1String("w:") || n.type() != pugi::node_element)
        return;
    const QByteArray p = prefix.toUtf8();
    if (std::strncmp(n.name(), "w:", 2) == 0)
        n.set_name((p + QByteArray(n.name() + 2)).constData());
    for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute())
        if (std::strncmp(a.name(), "w:", 2) == 0)
            a.set_name((p + QByteArray(a.name() + 2)).constData());
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        Adopt(c, prefix);
}

} // namespace

struct TWordDocument::Impl {
    TZipArchive Zip;
    pugi::xml_document Doc;
    QString Prefix = QStringLiteral("w:");   // the document's prefix of the main namespace

    pugi::xml_node Body() const
    {
        for (pugi::xml_node n = Doc.document_element().first_child(); n; n = n.next_sibling()) {
            const char* name = n.name();
            const char* colon = std::strrchr(name, ':');
            if (std::strcmp(colon ? colon + 1 : name, "body") == 0)
                return n;
        }
        return {};
    }
};

TWordDocument TWordDocument::New()
{
    TWordDocument w;
    w.d = std::make_shared<Impl>();
    w.d->Zip.SetEntry(QStringLiteral("[Content_Types].xml"), ContentTypes);
    w.d->Zip.SetEntry(QStringLiteral("_rels/.rels"), PackageRels);
    w.d->Doc.load_string(EmptyDocument);
    return w;
}

TWordDocument TWordDocument::Open(const QString& fileName)
{
    TWordDocument w;
    w.d = std::make_shared<Impl>();
    w.d->Zip = TZipArchive::Read(fileName);
    const QByteArray xml = w.d->Zip.Entry(DocumentPart);
    const pugi::xml_parse_result r = w.d->Doc.load_buffer(xml.constData(), size_t(xml.size()),
                                                          pugi::parse_default | pugi::parse_ws_pcdata);
    if (xml.isEmpty() || !r || !w.d->Body())
        throw EFileError(QStringLiteral("Cannot read ") + fileName + QStringLiteral(": not a word-processor document"));
    // Elements added here use the prefix the document gives the main namespace.
    for (pugi::xml_attribute a = w.d->Doc.document_element().first_attribute(); a; a = a.next_attribute())
        if (std::strcmp(a.value(), WNs) == 0 && std::strncmp(a.name(), "xmlns:", 6) == 0)
            w.d->Prefix = QString::fromUtf8(a.name() + 6) + QLatin1Char(':');
    return w;
}

void TWordDocument::InsertParagraphAtStart(const QString& text)
{
    pugi::xml_node body = d->Body();
    pugi::xml_document tmp;
    pugi::xml_node p = tmp.append_child("w:p");
    if (!text.isEmpty())
        AppendText(p, text);
    Adopt(p, d->Prefix);
    if (body.first_child())
        body.insert_copy_before(p, body.first_child());
    else
        body.append_copy(p);
}

bool TWordDocument::BookmarkExists(const QString& name) const
{
    if (name.isEmpty())
        return false;
    const QByteArray n = name.toUtf8();
    const QByteArray tag = (d->Prefix + QStringLiteral("bookmarkStart")).toUtf8();
    const QByteArray attr = (d->Prefix + QStringLiteral("name")).toUtf8();
    return bool(d->Body().find_node([&](pugi::xml_node x) {
        return std::strcmp(x.name(), tag.constData()) == 0 && std::strcmp(x.attribute(attr.constData()).value(), n.constData()) == 0;
    }));
}

void TWordDocument::AddTable(const std::vector<std::vector<TCell>>& rows, TWhere where, const QString& bookmark)
{
    pugi::xml_node body = d->Body();
    pugi::xml_node before;
    if (where == wStart) {
        before = body.first_child();
    } else if (where == wBookmark) {
        const QByteArray n = bookmark.toUtf8();
        const QByteArray tag = (d->Prefix + QStringLiteral("bookmarkStart")).toUtf8();
        const QByteArray attr = (d->Prefix + QStringLiteral("name")).toUtf8();
        pugi::xml_node mark = body.find_node([&](pugi::xml_node x) {
            return std::strcmp(x.name(), tag.constData()) == 0 &&
                   std::strcmp(x.attribute(attr.constData()).value(), n.constData()) == 0;
        });
        while (mark && mark.parent() != body)
            mark = mark.parent();
        before = mark;
    }
    if (!before) {
        // The end of the body: before its section properties, when it has them.
        pugi::xml_node last = body.last_child();
        const QByteArray sect = (d->Prefix + QStringLiteral("sectPr")).toUtf8();
        before = last && std::strcmp(last.name(), sect.constData()) == 0 ? last : pugi::xml_node();
    }
    // Built with the "w:" prefix, then renamed when the document uses another.
    pugi::xml_document tmp;
    pugi::xml_node tbl = tmp.append_child("w:tbl");
    pugi::xml_node pr = tbl.append_child("w:tblPr");
    pugi::xml_node tw = pr.append_child("w:tblW");
    tw.append_attribute("w:w") = "0";
    tw.append_attribute("w:type") = "auto";
    pugi::xml_node borders = pr.append_child("w:tblBorders");
    for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"}) {
        pugi::xml_node b = borders.append_child(side);
        b.append_attribute("w:val") = "single";
        b.append_attribute("w:sz") = "4";
        b.append_attribute("w:space") = "0";
        b.append_attribute("w:color") = "auto";
    }
    size_t cols = 0;
    for (const auto& r : rows)
        cols = std::max(cols, r.size());
    pugi::xml_node grid = tbl.append_child("w:tblGrid");
    for (size_t c = 0; c < cols; ++c)
        grid.append_child("w:gridCol");
    for (const auto& r : rows) {
        pugi::xml_node tr = tbl.append_child("w:tr");
        for (size_t c = 0; c < cols; ++c) {
            pugi::xml_node tc = tr.append_child("w:tc");
            pugi::xml_node w = tc.append_child("w:tcPr").append_child("w:tcW");
            w.append_attribute("w:w") = "0";
            w.append_attribute("w:type") = "auto";
            pugi::xml_node p = tc.append_child("w:p");
            const TCell cell = c < r.size() ? r[c] : TCell();
            if (cell.Align != alLeft)
                p.append_child("w:pPr").append_child("w:jc").append_attribute("w:val") =
                    cell.Align == alRight ? "right" : "center";
            if (!cell.Text.isEmpty())
                AppendText(p, cell.Text);
        }
    }
    Adopt(tbl, d->Prefix);
    pugi::xml_node placed = before ? body.insert_copy_before(tbl, before) : body.append_copy(tbl);
    // A table is never the body's last block: a paragraph follows it.
    pugi::xml_node next = placed.next_sibling();
    const QByteArray tblName = (d->Prefix + QStringLiteral("tbl")).toUtf8();
    const QByteArray sect = (d->Prefix + QStringLiteral("sectPr")).toUtf8();
    if (!next || std::strcmp(next.name(), sect.constData()) == 0 || std::strcmp(next.name(), tblName.constData()) == 0)
        body.insert_child_after((d->Prefix + QStringLiteral("p")).toUtf8().constData(), placed);
}

void TWordDocument::Save(const QString& fileName)
{
    d->Zip.SetEntry(DocumentPart, Serialise(d->Doc));
    d->Zip.Write(fileName);
}

} // namespace fw
