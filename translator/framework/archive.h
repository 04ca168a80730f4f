// Archive: the byte stream a document is serialised through.
//
// A document's Serialize(Archive&) asks IsStoring() and then writes or
// reads its bytes; the framework opens the file in binary mode, wraps it in
// an Archive, and closes it afterwards. The archive does no conversion of
// any kind: what is written is what lands in the file.
//
//   void MyDoc::Serialize(Archive& ar) {
//       if (ar.IsStoring()) ar.Write(text.data(), text.size());
//       else ar.ReadAll(text, kLimit);
//   }
//
// Any short read or write sets Failed(); the framework then reports the
// failure to the user and leaves the document as it was. Portable: no
// <windows.h>.
#ifndef LEXON_FRAMEWORK_ARCHIVE_H
#define LEXON_FRAMEWORK_ARCHIVE_H

#include <cstddef>
#include <cstdio>
#include <string>

class Archive {
public:
    enum class Direction { Load, Store };

    // The archive does not own file; the caller closes it.
    Archive(std::FILE* file, Direction direction) : file_(file), direction_(direction) {}

    bool IsStoring() const { return direction_ == Direction::Store; }
    bool IsLoading() const { return direction_ == Direction::Load; }

    // Writes size bytes; false (and Failed()) when not all were written.
    bool Write(const void* data, size_t size);
    // Reads up to size bytes; returns how many were read.
    size_t Read(void* data, size_t size);
    // Length of the whole underlying file in bytes, or -1 when unknown.
    long long FileLength();

    enum class ReadResult { Ok, TooLarge, Error };
    // Replaces text with the whole remaining content of the file, when it
    // holds at most limit bytes. On TooLarge or Error text is unchanged.
    ReadResult ReadAll(std::string& text, size_t limit);

    bool Failed() const { return failed_; }
    // already_reported: the serialising code has told the user why, so the
    // framework shows no message of its own.
    void SetFailed(bool already_reported = false)
    {
        failed_ = true;
        failure_reported_ = failure_reported_ || already_reported;
    }
    bool FailureReported() const { return failure_reported_; }

private:
    std::FILE* file_;
    Direction direction_;
    bool failed_ = false;
    bool failure_reported_ = false;
};

#endif
