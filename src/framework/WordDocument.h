#pragma once
// A word-processor document as a .docx file (zip and XML): paragraphs and
// tables put into its body, bookmarks looked up by name.
#include "framework/Zip.h"

#include <QString>

#include <memory>
#include <vector>

namespace fw {

class TWordDocument {
public:
    enum TAlign { alLeft, alCenter, alRight };
    struct TCell {
        QString Text;        // CR LF, CR or LF break the line; TAB is a tab
        TAlign Align = alLeft;
    };
    enum TWhere { wStart, wEnd, wBookmark };

    // An empty document.
    static TWordDocument New();
    // EFileError naming the file when it cannot be read or is no document.
    static TWordDocument Open(const QString& fileName);

    // A paragraph holding text as the body's first element.
    void InsertParagraphAtStart(const QString& text);
    bool BookmarkExists(const QString& name) const;
    // A bordered table at the body's start, at its end, or before the body
    // element (paragraph or table) holding the bookmark's start.
    void AddTable(const std::vector<std::vector<TCell>>& rows, TWhere where, const QString& bookmark = QString());
    // Written atomically; EFileError on failure (the old file is kept).
    void Save(const QString& fileName);

private:
    struct Impl;
    std::shared_ptr<Impl> d;
};

} // namespace fw
