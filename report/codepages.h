#pragma once
// Single-byte code pages for RTF's 8-bit text. Portable: no platform headers.

namespace report {

// The 128 characters of bytes 0x80-0xFF in codePage, or nullptr when the
// code page is not known here.
const char16_t* UpperHalf(int codePage);

// Windows code page for an RTF \fcharset value; 0 when the charset does not
// name one (default charset: the document's code page applies).
int CodePageOfCharset(int charset);

// Decodes one byte in codePage; unknown code pages decode as 1252.
char16_t DecodeByte(unsigned char byte, int codePage);

}  // namespace report
