#pragma once

#include "accessories/rtf_model.h"

#include <QByteArrayView>

// Reads RTF as written by word processors into the plain model. It takes in groups, control words with their
// parameters, \'hh and \uN escapes (with \ucN fallback skipping), the code pages of the document and its fonts
// (symbol fonts through their own characters), the font and colour tables, character formatting (\b \i \ul
// \ulnone \strike \super \sub \nosupersub \up \dn \highlight \chcbpat \fs \f \cf \plain), paragraph alignment
// (\ql \qc \qr \qj \pard) and breaks (\par \line \tab). Footnotes, endnotes and comments stay in the text at
// their anchors, in brackets: "[Footnote: ...]". Pictures, objects, headers, footers and hidden text (\v) are left
// out and reported in `issues`; destinations that hold no text of the document (tables, style sheets, document
// information, field instructions, unknown "\*" destinations) are passed over. Other unknown control words are ignored
// and their text kept, as RTF asks of readers.
//
// Any bytes at all give a document: damage is noted in `issues`, never thrown, and the reading is linear in the
// input (nesting, table sizes and output are bounded).
namespace mx {

inline constexpr int kMaxRtfGroupDepth = 256;              // deeper groups are left out
inline constexpr qsizetype kMaxRtfDocumentChars = 1 << 24; // characters, counting paragraph breaks; about 16 million
inline constexpr qsizetype kMaxRtfParagraphs = 1 << 20;    // each costs far more in a text document than a character
inline constexpr qsizetype kMaxRtfRuns = 1 << 21;          // runs of one format in the whole document
inline constexpr int kMaxRtfTableEntries = 4096;           // fonts or colours; entries beyond are ignored

struct RtfReadResult {
    RtfDocument document;
    RtfIssues issues;
};

// Bytes without an RTF header (after blanks and a UTF-8 byte-order mark) are read as plain text: UTF-8 when they
// are valid UTF-8, Windows-1252 otherwise, with RtfIssue::NotRtf. Empty input is an empty document.
RtfReadResult readRtfModel(QByteArrayView bytes);

} // namespace mx
