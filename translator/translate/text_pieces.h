// Small text operations of the translation engine, on NUL-terminated byte
// strings in Windows-1252 (the dictionary's accented letters may also appear
// in their OEM code page 850 codes).
//
// The separator set: the bytes that end a word in the text being translated.
// Each separator is reported by the tokenizer as its own byte value:
//   NUL 0 (end of text), tab 9, line feed 10, blank 32, "(" 40, ")" 41,
//   "," 44, "." 46, ":" 58, ";" 59, "?" 63.
// Every other byte belongs to a word: carriage return, digits, "!", "'",
// "-" and all bytes 128..255 included.
#ifndef LEXON_TRANSLATE_TEXT_PIECES_H
#define LEXON_TRANSLATE_TEXT_PIECES_H

#include <cstddef>

// True when byte ends a word (NUL included).
bool IsSeparator(unsigned char byte);

// Cuts text at its first NUL or at the first blank that is the first byte
// or follows another blank; a single blank after a non-blank byte stays.
// Returns the new length. A blank-padded entry "hola    " becomes "hola ";
// "hola" and "buenos dias" stay as they are.
int TrimEntry(char* text);

// The mode of EmitPiece: a separator code adds that character after the
// trimmed text; kEndOfText adds nothing; kMarkerMode encloses the trimmed
// text in "<" and ">" (the form of a word that could not be translated).
const int kEndOfText = 0;
const int kMarkerMode = -2;

// Prepares text as one output piece, in place, and returns its length.
// capacity is the size of the buffer text lives in; it must exceed the
// trimmed length by at least 2 (marker mode) or 1 (a separator).
int EmitPiece(char* text, std::size_t capacity, int mode);

// Replaces the first occurrence of pattern in text by replacement. Returns
// true when it replaced. capacity is the size of text's buffer; a result
// that would not fit is cut to capacity - 1 bytes (the morphology's texts
// are far shorter than its buffers, so this is only a guard).
bool ReplaceFirst(char* text, std::size_t capacity, const char* pattern, const char* replacement);

// Copies at most max_bytes bytes of source (fewer when it ends earlier)
// into target and terminates it; target must hold max_bytes + 1 bytes.
void CopyAtMost(char* target, const char* source, std::size_t max_bytes);

// Appends suffix to text, cutting the result to capacity - 1 bytes.
void AppendText(char* text, std::size_t capacity, const char* suffix);

// ASCII lower case of text, in place (A-Z only).
void LowercaseAscii(char* text);

// True when text contains one of the 11 accented letters of the dictionary
// in their Windows codes (a, e, i, o, u acute, a, e, i, o, u diaeresis,
// n tilde: E1 E4 E9 EB ED EF F1 F3 F6 FA FC).
bool ContainsAccentedLetter(const char* text);

// Puts word in the form in which the dictionary stores and keys it, as the
// word lookup does: ASCII lower case, and when it contains an accented
// letter in its Windows code, the dictionary text conversion as well (the
// accented letters become their OEM codes).
void NormaliseWord(char* word);

#endif
