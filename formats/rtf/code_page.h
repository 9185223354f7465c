#pragma once
// Single-byte Windows code pages as RTF uses them. The tables are our own so that decoding does
// not depend on how Qt was built (its named decoders come from ICU, which not every Qt has).

namespace strikon::rtf {

// Code page of a font whose \fcharset is `charset`; DEFAULT_CHARSET (1) and unknown charsets
// follow the document's \ansicpg.
int codePageForCharset(int charset, int documentCodePage);

// One byte in `codePage` as a UTF-16 code unit. 1251 and 1252 have full tables; any other code
// page is read as 1252, which keeps ASCII and most Western text right. Bytes a code page leaves
// unassigned become U+FFFD.
char16_t decodeByte(int codePage, unsigned char byte);

}  // namespace strikon::rtf
