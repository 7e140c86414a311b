#pragma once
#include <cstddef>
#include <memory>
#include <string>

#include <tiffio.h>

namespace ipc {

// An open TIFF file that owns its libtiff handle. libtiff's error and warning
// reports for this handle are collected here instead of being printed, so
// that every failure can be thrown as one util::Exception naming the file.
// The handle is closed on every path, including unwinding after an error.
class TiffFile {
public:
    // Opens path in mode ("r" or "w"); check is_open() afterwards.
    TiffFile(const std::string& path, const char* mode);
    TiffFile(const TiffFile&) = delete;
    TiffFile& operator=(const TiffFile&) = delete;
    ~TiffFile();

    bool is_open() const { return tif_ != nullptr; }
    TIFF* handle() const { return tif_; }
    const std::string& name() const { return name_; }

    // Whether libtiff has reported an error since the file was opened.
    bool has_error() const;
    // libtiff's reports so far, as " (libtiff: ...)", or empty when none.
    std::string diagnostics() const;

    // Throws message + ", file = " + name + diagnostics when ok is false or
    // libtiff has reported an error.
    void require(bool ok, const std::string& message) const;
    [[noreturn]] void fail(const std::string& message) const;

    // Flushes and closes; a failure to flush (a write error) is thrown.
    void close();

    struct Reports;

private:
    std::string name_;
    std::unique_ptr<Reports> reports_;
    TIFF* tif_ = nullptr;
};

// A buffer from libtiff's allocator, released on every path.
class TiffBuffer {
public:
    explicit TiffBuffer(std::size_t bytes);
    TiffBuffer(const TiffBuffer&) = delete;
    TiffBuffer& operator=(const TiffBuffer&) = delete;
    ~TiffBuffer();

    bool valid() const { return data_ != nullptr; }
    void* data() const { return data_; }
    std::size_t bytes() const { return bytes_; }

private:
    void* data_ = nullptr;
    std::size_t bytes_ = 0;
};

}  // namespace ipc
