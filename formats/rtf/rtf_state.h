#pragma once
// What an RTF group carries: the destination its text goes to and the character and paragraph
// properties in force. Each group starts as a copy of its parent's state and is dropped at '}'.

#include <Qt>

namespace strikon::rtf {

enum class Destination {
    Body,        // document text
    FontTable,   // \fonttbl: font entries "\fN\fcharsetM Name;"
    ColorTable,  // \colortbl: colour entries "\redR\greenG\blueB;"
    Skip,        // anything not shown: \*-groups, \stylesheet, \info, \pict, ...
};

struct CharProps {
    int font = -1;        // index into the font table; -1 is the document's \deff
    int halfPoints = 24;  // \fs: 12 pt unless said otherwise
    int color = 0;        // \cf: index into the colour table; 0 is the automatic colour
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
};

// Lengths are in twips (1/1440 inch), as RTF writes them.
struct ParaProps {
    int firstIndent = 0;  // \fi, relative to the left indent
    int leftIndent = 0;   // \li
    int rightIndent = 0;  // \ri
    int spaceBefore = 0;  // \sb
    int spaceAfter = 0;   // \sa
    Qt::Alignment alignment = Qt::AlignLeft;
};

struct GroupState {
    Destination destination = Destination::Body;
    CharProps chars;
    ParaProps para;
    int unicodeSkip = 1;  // \uc: bytes that stand in for each \uN
};

}  // namespace strikon::rtf
