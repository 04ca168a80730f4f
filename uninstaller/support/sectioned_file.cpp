#include "sectioned_file.h"

#include <cctype>
#include <cstdio>
#include <sys/stat.h>

#include "file_replace.h"

namespace {

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string trim(const std::string& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && is_space(text[begin]))
        ++begin;
    while (end > begin && is_space(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool file_exists(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0;
}

bool readable_and_writable(const char* path)
{
    std::FILE* file = std::fopen(path, "r+");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

// The end-of-file mark of old editors.
const int kEndOfFileMark = 0x1A;

// Reads one whole line with its newline (a last line without one gets one).
// Returns false at end of file; *error is set when reading failed.
// The file is opened in binary: a 0x1A byte inside it is data (a text-mode
// read would stop there and a rewrite would lose the rest), CR LF becomes
// LF here, and only a 0x1A as the very last byte is dropped.
bool read_line(std::FILE* file, std::string* line, bool* error)
{
    line->clear();
    int c;
    while ((c = std::getc(file)) != EOF) {
        if (c == kEndOfFileMark) {
            int next = std::getc(file);
            if (next == EOF)
                break;
            std::ungetc(next, file);
        }
        if (c == '\n' && !line->empty() && line->back() == '\r')
            line->pop_back();
        line->push_back(char(c));
        if (c == '\n')
            return true;
    }
    if (std::ferror(file)) {
        *error = true;
        return false;
    }
    if (line->empty())
        return false;
    line->push_back('\n');
    return true;
}

// The INI file's directory with its separator, "" when it has none.
std::string directory_with_separator(const std::string& path)
{
    std::string::size_type cut = path.find_last_of("\\/");
    if (cut == std::string::npos) {
        // "C:name": the drive stays the directory.
        if (path.size() >= 2 && path[1] == ':')
            return path.substr(0, 2);
        return std::string();
    }
    return path.substr(0, cut + 1);
}

// The process-wide counter of temporary names; it keeps its value for the
// next search.
unsigned long g_temp_counter = 0;

// The first name "iniNNN.NNN" in the directory that does not exist.
bool make_temp_name(const std::string& directory, std::string* name)
{
    for (unsigned long tries = 0; tries < 1000000; ++tries, ++g_temp_counter) {
        char leaf[32];
        std::snprintf(leaf, sizeof leaf, "%s%03lu.%03lu", "ini",
                      (g_temp_counter / 1000) % 1000, g_temp_counter % 1000);
        std::string candidate = directory + leaf;
        if (!file_exists(candidate.c_str())) {
            *name = candidate;
            return true;
        }
    }
    return false;
}

// Writes a new file holding the given text: 1 / 0.
int create_file_with(const char* path, const std::string& text)
{
    std::FILE* file = std::fopen(path, "wt");
    if (!file)
        return 0;
    bool ok = std::fputs(text.c_str(), file) >= 0;
    if (std::fclose(file) != 0)
        ok = false;
    return ok ? 1 : 0;
}

std::string header_line(const char* section)
{
    return std::string("[") + section + "]\n";
}

std::string entry_line(const char* name, const char* value)
{
    return std::string(name) + "=" + value + "\n";
}

// Copies the file with changes into a temporary file and puts it in the
// INI file's place at on_finish. Subclasses decide what to write.
class RewritingVisitor : public SectionVisitor {
public:
    explicit RewritingVisitor(const char* path) : path_(path) {}
    ~RewritingVisitor() override
    {
        if (temp_file_)
            std::fclose(temp_file_);
        if (!temp_name_.empty())
            std::remove(temp_name_.c_str());
    }

    bool on_begin() override
    {
        if (!make_temp_name(directory_with_separator(path_), &temp_name_)) {
            temp_name_.clear();
            return false;
        }
        temp_file_ = std::fopen(temp_name_.c_str(), "wt");
        if (!temp_file_) {
            temp_name_.clear();
            return false;
        }
        return true;
    }

    void on_other_line(const std::string& line) override { write(line); }

    int on_finish() override
    {
        std::FILE* file = temp_file_;
        temp_file_ = nullptr;
        if (std::fclose(file) != 0)
            write_failed_ = true;
        if (write_failed_)
            return 0;  // the destructor removes the temporary file
        if (!replace_file(temp_name_.c_str(), path_.c_str()))
            return 0;
        temp_name_.clear();
        return 1;
    }

protected:
    void write(const std::string& text)
    {
        if (temp_file_ && std::fwrite(text.data(), 1, text.size(), temp_file_) != text.size())
            write_failed_ = true;
    }

private:
    std::string path_;
    std::string temp_name_;
    std::FILE* temp_file_ = nullptr;
    bool write_failed_ = false;
};

// ---- Reading visitors ----------------------------------------------------

class CountVisitor : public SectionVisitor {
public:
    explicit CountVisitor(const char* name) : name_(name) {}
    int on_missing_file() override { return -1; }
    void on_section_missing() override { missing_ = true; }
    void on_section_line(const std::string& line) override
    {
        std::string name, value;
        if (ini_parse_entry(line, &name, &value) && (!name_ || ini_names_equal(name, name_)))
            ++count_;
    }
    int on_finish() override { return missing_ ? -1 : count_; }
private:
    const char* name_;
    bool missing_ = false;
    int count_ = 0;
};

class GetValueVisitor : public SectionVisitor {
public:
    GetValueVisitor(const char* name, int seq, std::string* value)
        : name_(name), seq_(seq), value_(value) {}
    void on_section_line(const std::string& line) override
    {
        std::string name, value;
        if (found_ || !ini_parse_entry(line, &name, &value) || !ini_names_equal(name, name_))
            return;
        if (seen_ == seq_) {
            *value_ = value;
            found_ = true;
        }
        ++seen_;
    }
    int on_finish() override { return found_ ? 1 : 0; }
private:
    const char* name_;
    int seq_;
    std::string* value_;
    int seen_ = 0;
    bool found_ = false;
};

class GetEntryVisitor : public SectionVisitor {
public:
    GetEntryVisitor(int index, std::string* name, std::string* value)
        : index_(index), name_(name), value_(value) {}
    void on_section_line(const std::string& line) override
    {
        std::string name, value;
        if (found_ || !ini_parse_entry(line, &name, &value))
            return;
        if (seen_ == index_) {
            *name_ = name;
            *value_ = value;
            found_ = true;
        }
        ++seen_;
    }
    int on_finish() override { return found_ ? 1 : 0; }
private:
    int index_;
    std::string* name_;
    std::string* value_;
    int seen_ = 0;
    bool found_ = false;
};

// ---- Rewriting visitors --------------------------------------------------

class AddSectionVisitor : public RewritingVisitor {
public:
    AddSectionVisitor(const char* path, const char* section)
        : RewritingVisitor(path), path_(path), section_(section) {}
    int on_missing_file() override { return create_file_with(path_, header_line(section_)); }
    void on_section_header(const std::string& line) override { write(line); }
    void on_section_line(const std::string& line) override { write(line); }
    void on_next_header(const std::string& line) override { write(line); }
    void on_section_missing() override { write("\n" + header_line(section_)); }
private:
    const char* path_;
    const char* section_;
};

class DeleteSectionVisitor : public RewritingVisitor {
public:
    explicit DeleteSectionVisitor(const char* path) : RewritingVisitor(path) {}
    int on_missing_file() override { return 1; }
    void on_next_header(const std::string& line) override { write(line); }
    // The header and the section's lines are dropped.
};

class DeleteEntryVisitor : public RewritingVisitor {
public:
    DeleteEntryVisitor(const char* path, const char* name, int seq)
        : RewritingVisitor(path), name_(name), seq_(seq) {}
    int on_missing_file() override { return 1; }
    void on_section_header(const std::string& line) override { write(line); }
    void on_next_header(const std::string& line) override { write(line); }
    void on_section_line(const std::string& line) override
    {
        std::string name, value;
        if (!done_ && ini_parse_entry(line, &name, &value) && ini_names_equal(name, name_)) {
            if (seen_ == seq_) {
                done_ = true;
                return;  // dropped
            }
            ++seen_;
        }
        write(line);
    }
private:
    const char* name_;
    int seq_;
    int seen_ = 0;
    bool done_ = false;
};

class SetEntryVisitor : public RewritingVisitor {
public:
    SetEntryVisitor(const char* path, const char* section, const char* name, const char* value,
                    int seq, bool insert)
        : RewritingVisitor(path), path_(path), section_(section), name_(name),
          new_line_(entry_line(name, value)), seq_(seq), insert_(insert) {}

    int on_missing_file() override
    {
        return create_file_with(path_, header_line(section_) + new_line_);
    }
    void on_section_header(const std::string& line) override { write(line); }
    void on_section_line(const std::string& line) override
    {
        if (ini_line_is_blank(line))
            return;
        std::string name, value;
        if (!done_ && ini_parse_entry(line, &name, &value) && ini_names_equal(name, name_)) {
            if (seen_ == seq_) {
                write(new_line_);
                if (insert_)
                    write(line);
                done_ = true;
                return;
            }
            ++seen_;
        }
        write(line);
    }
    void on_next_header(const std::string& line) override
    {
        if (!done_)
            write(new_line_);
        done_ = true;
        write("\n");
        write(line);
    }
    void on_section_end_at_eof() override
    {
        if (!done_)
            write(new_line_);
        done_ = true;
    }
    void on_section_missing() override { write("\n" + header_line(section_) + new_line_); }

private:
    const char* path_;
    const char* section_;
    const char* name_;
    std::string new_line_;
    int seq_;
    bool insert_;
    int seen_ = 0;
    bool done_ = false;
};

}  // namespace

bool ini_line_is_blank(const std::string& line)
{
    for (size_t i = 0; i < line.size(); ++i) {
        if (!is_space(line[i]))
            return false;
    }
    return true;
}

bool ini_line_is_comment(const std::string& line)
{
    for (size_t i = 0; i < line.size(); ++i) {
        if (!is_space(line[i]))
            return line[i] == ';';
    }
    return false;
}

bool ini_parse_header(const std::string& line, std::string* name)
{
    size_t i = 0;
    while (i < line.size() && is_space(line[i]))
        ++i;
    if (i == line.size() || line[i] != '[')
        return false;
    size_t close = line.find(']', i + 1);
    if (close == std::string::npos)
        return false;
    for (size_t k = close + 1; k < line.size(); ++k) {
        if (!is_space(line[k]))
            return false;
    }
    *name = line.substr(i + 1, close - i - 1);
    return true;
}

bool ini_parse_entry(const std::string& line, std::string* name, std::string* value)
{
    if (ini_line_is_comment(line))
        return false;
    size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    *name = trim(line.substr(0, equals));
    *value = trim(line.substr(equals + 1));
    return true;
}

bool ini_names_equal(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i]))
            return false;
    }
    return true;
}

int scan_sectioned_file(const char* path, const char* section, SectionVisitor& visitor)
{
    if (!file_exists(path))
        return visitor.on_missing_file();
    if (!readable_and_writable(path) || !visitor.on_begin())
        return 0;
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return 0;

    enum Phase { Before, Inside, After } phase = Before;
    std::string target(section);
    std::string line;
    std::string name;
    bool error = false;
    while (read_line(file, &line, &error)) {
        bool header = ini_parse_header(line, &name);
        switch (phase) {
        case Before:
            if (header && ini_names_equal(name, target)) {
                visitor.on_section_header(line);
                phase = Inside;
            } else {
                visitor.on_other_line(line);
            }
            break;
        case Inside:
            if (header) {
                visitor.on_next_header(line);
                phase = After;
            } else {
                visitor.on_section_line(line);
            }
            break;
        case After:
            visitor.on_other_line(line);
            break;
        }
    }
    std::fclose(file);
    if (error)
        return 0;
    if (phase == Before)
        visitor.on_section_missing();
    else if (phase == Inside)
        visitor.on_section_end_at_eof();
    return visitor.on_finish();
}

namespace sectioned_file {

int count_entries(const char* file, const char* section, const char* name)
{
    CountVisitor visitor(name);
    return scan_sectioned_file(file, section, visitor);
}

int get_value(const char* file, const char* section, const char* name, int seq,
              std::string* value)
{
    GetValueVisitor visitor(name, seq, value);
    return scan_sectioned_file(file, section, visitor);
}

int get_entry(const char* file, const char* section, int index, std::string* name,
              std::string* value)
{
    GetEntryVisitor visitor(index, name, value);
    return scan_sectioned_file(file, section, visitor);
}

int add_section(const char* file, const char* section)
{
    AddSectionVisitor visitor(file, section);
    return scan_sectioned_file(file, section, visitor);
}

int delete_section(const char* file, const char* section)
{
    DeleteSectionVisitor visitor(file);
    return scan_sectioned_file(file, section, visitor);
}

int delete_entry(const char* file, const char* section, const char* name, int seq)
{
    DeleteEntryVisitor visitor(file, name, seq);
    return scan_sectioned_file(file, section, visitor);
}

int set_entry(const char* file, const char* section, const char* name, const char* value,
              int seq)
{
    SetEntryVisitor visitor(file, section, name, value, seq, false);
    return scan_sectioned_file(file, section, visitor);
}

int insert_entry(const char* file, const char* section, const char* name, const char* value,
                 int seq)
{
    SetEntryVisitor visitor(file, section, name, value, seq, true);
    return scan_sectioned_file(file, section, visitor);
}

}  // namespace sectioned_file
