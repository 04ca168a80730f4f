// The text files of a file translation, read and written as the C runtime
// of Windows does in text mode ("rt" / "wt"), on every platform:
//   - reading, a carriage return followed by a line feed is delivered as a
//     single line feed (a lone carriage return stays), and a Ctrl-Z byte
//     (0x1A) ends the input;
//   - writing, every line feed goes out as carriage return + line feed.
// The files themselves are opened in binary mode and converted here, so a
// translation writes the same bytes on Linux and on Windows.
#ifndef LEXON_TRANSLATE_TEXT_STREAMS_H
#define LEXON_TRANSLATE_TEXT_STREAMS_H

#include <cstdio>
#include <vector>

const std::size_t kTextStreamBufferSize = 65536;

class TextInputStream {
public:
    TextInputStream() = default;
    ~TextInputStream();
    TextInputStream(const TextInputStream&) = delete;
    TextInputStream& operator=(const TextInputStream&) = delete;

    // Opens path for reading; false when it cannot be opened.
    bool Open(const char* path);
    // Reads from a stream the caller owns and keeps open (standard input);
    // it must be in binary mode.
    void Attach(std::FILE* file);
    // Closes the file opened by Open; false when the close failed.
    bool Close();
    bool IsOpen() const { return file_ != nullptr; }

    // The next byte after the text-mode conversion, or -1 at the end.
    int ReadByte();
    // Bytes taken from the file so far (before conversion): the position
    // the progress bar shows.
    long Position() const { return consumed_; }
    // The file's size in bytes (-1 when unknown, as for a pipe); the stream
    // position is left where it was.
    long Size();

private:
    int RawByte();

    std::FILE* file_ = nullptr;
    bool owned_ = false;
    bool ended_ = false;
    long consumed_ = 0;
    std::vector<unsigned char> buffer_;   // allocated when a file is opened
    std::size_t buffered_ = 0;
    std::size_t next_ = 0;
};

class TextOutputStream {
public:
    TextOutputStream() = default;
    ~TextOutputStream();
    TextOutputStream(const TextOutputStream&) = delete;
    TextOutputStream& operator=(const TextOutputStream&) = delete;

    bool Open(const char* path);
    void Attach(std::FILE* file);
    // Writes what is buffered and closes the file opened by Open (an
    // attached stream is flushed only); false when a write or the close
    // failed.
    bool Close();
    bool IsOpen() const { return file_ != nullptr; }

    // Writes length bytes, each line feed as carriage return + line feed.
    void Write(const char* bytes, std::size_t length);

private:
    void Flush();

    std::FILE* file_ = nullptr;
    bool owned_ = false;
    bool failed_ = false;
    std::vector<char> buffer_;   // allocated when a file is opened
    std::size_t buffered_ = 0;
};

#endif
