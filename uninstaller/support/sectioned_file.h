// Sectioned text files (INI files): the uninstaller's own line-level reader
// and rewriter. Unlike the Windows profile functions it reaches the n-th of
// several same-named entries of a section and inserts an entry at a given
// place, which the installation log records with a sequence number.
//
// Lines (a line is the text read with its newline; whitespace is space, tab,
// CR, LF, VT and FF):
//   blank           nothing but whitespace
//   comment         the first non-whitespace character is ';'
//   section header  optional whitespace, '[', the name (everything up to the
//                   first ']'), ']', then only whitespace. Names compare
//                   case-insensitively. "[S] ; note" is not a header.
//   entry           not a comment and containing '='; the name is the text
//                   before the first '=', the value the text after it, both
//                   trimmed of whitespace; names compare case-insensitively
//   other           anything else: kept, never counted
//
// The file is read as bytes: CR LF ends a line as LF does; a 0x1A byte is
// data like any other, except as the very last byte of the file, where it
// is the old end-of-file mark and is dropped.
//
// Sequence number: the 0-based index of an entry among the entries of the
// same name within the target section, in file order.
//
// A scan walks the file once, classifying each line relative to one target
// section, and hands it to a visitor. Lines are read whole whatever their
// length (a line without a final newline gets one), so a rewrite never
// splits or cuts a line. Rewriting operations copy the file with their
// change into a temporary file "iniNNN.NNN" in the INI file's directory and
// then replace the INI file by it in one step (replace_file): whatever
// fails, either the old or the new content is in place under the INI file's
// name, and a temporary file that was not used is removed.
#ifndef RAVELUP_SUPPORT_SECTIONED_FILE_H
#define RAVELUP_SUPPORT_SECTIONED_FILE_H

#include <string>

// Hooks of a scan; see scan_sectioned_file for when each is called.
class SectionVisitor {
public:
    virtual ~SectionVisitor() {}
    virtual int on_missing_file() { return 0; }
    virtual bool on_begin() { return true; }
    virtual int on_finish() { return 1; }
    virtual void on_section_missing() {}
    virtual void on_section_line(const std::string& line) {}
    virtual void on_other_line(const std::string& line) {}
    virtual void on_section_header(const std::string& line) {}
    virtual void on_section_end_at_eof() {}
    virtual void on_next_header(const std::string& line) {}
};

// Scans the file for the target section:
// 1. file missing: returns on_missing_file();
// 2. not both readable and writable, or on_begin() false: 0;
// 3. phase "before": the target's header goes to on_section_header (phase
//    "inside"), other lines to on_other_line; phase "inside": the next header
//    goes to on_next_header (phase "after"), other lines to on_section_line;
//    phase "after": every line to on_other_line;
// 4. at the end: on_section_missing (before) or on_section_end_at_eof
//    (inside); the file is closed; returns on_finish();
// 5. a read error: 0.
int scan_sectioned_file(const char* path, const char* section, SectionVisitor& visitor);

// Line classification.
bool ini_line_is_blank(const std::string& line);
bool ini_line_is_comment(const std::string& line);
bool ini_parse_header(const std::string& line, std::string* name);
bool ini_parse_entry(const std::string& line, std::string* name, std::string* value);
bool ini_names_equal(const std::string& a, const std::string& b);

namespace sectioned_file {

// The number of entries of the section with that name (every entry when name
// is null); -1 when the file or the section is missing; 0 when the file is
// not readable and writable.
int count_entries(const char* file, const char* section, const char* name);

// The value of the entry of that name with that sequence number: 1 found,
// else 0.
int get_value(const char* file, const char* section, const char* name, int seq,
              std::string* value);

// The index-th entry (0-based, any name) of the section: 1 found, else 0.
int get_entry(const char* file, const char* section, int index, std::string* name,
              std::string* value);

// The section exists afterwards; a missing file is created holding its
// header. 1 / 0.
int add_section(const char* file, const char* section);

// Drops the section's header and every line up to the next header. A
// missing file or section: 1 (the file rewritten unchanged).
int delete_section(const char* file, const char* section);

// Drops the entry of that name with that sequence number. Missing file: 1.
int delete_entry(const char* file, const char* section, const char* name, int seq);

// Replaces the entry of that name with that sequence number by name=value
// (appended at the end of the section when there is no such entry). Blank
// lines of the section are dropped and the section ends with exactly one
// blank line before the next header. A missing file is created with the
// header and the entry; a missing section is appended. 1 / 0.
int set_entry(const char* file, const char* section, const char* name, const char* value,
              int seq);

// As set_entry, but the new line goes before the entry with that sequence
// number, which stays.
int insert_entry(const char* file, const char* section, const char* name, const char* value,
                 int seq);

}  // namespace sectioned_file

#endif
