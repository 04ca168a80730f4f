// LogBuilder: writes installation logs (uxlog.ini) for the tests, in the
// file layout the uninstaller reads: 12-byte set-aside name, version 2.1
// big-endian, the product title, then records (int32 kind code and the
// kind's fields; strings with a one-byte length, int32 little-endian).
#ifndef RAVELUP_TESTS_LOG_BUILDER_H
#define RAVELUP_TESTS_LOG_BUILDER_H

#include <cstdint>
#include <string>

class LogBuilder {
public:
    explicit LogBuilder(const std::string& title, const std::string& set_aside_name = "")
    {
        std::string header = set_aside_name.substr(0, 12);
        header.resize(12, '\0');
        bytes_ = header;
        bytes_ += std::string("\x02\x01\x00\x00", 4);
        string(title);
    }

    LogBuilder& make_dir(const std::string& dir) { return kind(0).string(dir); }
    LogBuilder& rename_file(const std::string& old_path, const std::string& new_path)
    {
        return kind(2).string(old_path).string(new_path);
    }
    LogBuilder& delete_file(const std::string& path) { return kind(3).string(path); }
    LogBuilder& install_create_file(const std::string& from, const std::string& to, int32_t uninstall)
    {
        return kind(4).string(from).string(to).int32(uninstall);
    }
    LogBuilder& create_file(const std::string& path) { return kind(6).string(path); }
    LogBuilder& delete_ini_entry(const std::string& ini, const std::string& section, const std::string& entry,
                                 const std::string& value, int32_t sequence)
    {
        return kind(8).string(ini).string(section).string(entry).string(value).int32(sequence);
    }
    LogBuilder& add_reg_key(int32_t root, const std::string& key) { return kind(14).int32(root).string(key); }
    LogBuilder& add_ini_section(const std::string& ini, const std::string& section)
    {
        return kind(20).string(ini).string(section);
    }

    const std::string& bytes() const { return bytes_; }

private:
    LogBuilder& kind(int32_t code) { return int32(code); }
    LogBuilder& int32(int32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes_ += static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
        return *this;
    }
    LogBuilder& string(const std::string& text)
    {
        bytes_ += static_cast<char>(text.size());   // the tests use texts below 255 bytes
        bytes_ += text;
        return *this;
    }

    std::string bytes_;
};

#endif
