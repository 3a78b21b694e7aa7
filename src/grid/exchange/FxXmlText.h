#pragma once
// XML text pieces the grid's XML writer needs, without a grid.
#include <QString>

namespace fxexchange {

// True for a name an element may carry: a letter or "_" first, then
// letters, digits, "_", "-" or ".".
bool IsXmlElementName(const QString& name);

// Element content in 7-bit text: "&", "<", ">" and the double quote as
// entities, CR as &#13; (a parser would turn a literal one into LF), every
// character beyond 7 bits as a character reference. False when the text
// holds a character XML 1.0 cannot carry at all (a control character other
// than TAB, LF and CR, a lone surrogate, U+FFFE or U+FFFF).
bool EscapeXmlText(const QString& text, QString& out);

} // namespace fxexchange
