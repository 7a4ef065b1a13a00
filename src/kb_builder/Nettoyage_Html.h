#pragma once
// Text and HTML that arrive from an exchange file, made safe to show.
//
// Nettoie_Html keeps a small set of formatting elements (paragraphs, line breaks, emphasis,
// lists, simple tables, headings below the page title) without any attribute, drops every other
// tag but keeps its text, and drops scripts, styles, frames, embedded objects, images, media and
// comments with their content. Nothing in the result can run a script or load anything from
// elsewhere. Tags are balanced and the text is escaped (a valid character reference is kept); a
// '<' that does not open a whole tag of a known element is text.
//
// Texte_Brut gives the text of such a fragment alone: tags dropped, character references decoded,
// white space collapsed, for labels ("<i>Viola</i> Labill." gives "Viola Labill.").
//
// Texte_Label gives the plain text of a label as the XML reader returns it: the tags of known
// elements that some files write into labels are dropped, but character references are not
// decoded again, so that text escaped in the file ("&amp;lt;b&amp;gt;") never turns into markup,
// and a '<' that opens no tag stays ("blade length&lt;width" gives "blade length<width").
//
// All take any bytes and never fail; the input is expected in UTF-8.

#include <string>
#include <string_view>

namespace kestrane::kb {

std::string Nettoie_Html(std::string_view fragment);
std::string Texte_Brut(std::string_view fragment);
std::string Texte_Label(std::string_view label);

}  // namespace kestrane::kb
