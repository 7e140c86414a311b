#include "imaging/tiff_file.h"

#include <cstdarg>
#include <cstdio>
#include <fcntl.h>
#include <vector>

#include "util/exception.h"

namespace ipc {

// Messages libtiff reported for one handle. A damaged file can produce a
// flood of them; the first few are enough to explain the failure.
struct TiffFile::Reports {
    static constexpr std::size_t kept = 8;
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
    std::size_t error_count = 0;
};

namespace {

std::string format(const char* module, const char* fmt, va_list ap) {
    char text[1024];
    std::vsnprintf(text, sizeof text, fmt, ap);
    std::string message = module && *module ? std::string(module) + ": " : std::string();
    return message + text;
}

int on_error(TIFF*, void* user_data, const char* module, const char* fmt, va_list ap) {
    auto* reports = static_cast<TiffFile::Reports*>(user_data);
    ++reports->error_count;
    if (reports->errors.size() < TiffFile::Reports::kept)
        reports->errors.push_back(format(module, fmt, ap));
    return 1;  // handled: libtiff prints nothing
}

int on_warning(TIFF*, void* user_data, const char* module, const char* fmt, va_list ap) {
    auto* reports = static_cast<TiffFile::Reports*>(user_data);
    if (reports->warnings.size() < TiffFile::Reports::kept)
        reports->warnings.push_back(format(module, fmt, ap));
    return 1;
}

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

}  // namespace

TiffFile::TiffFile(const std::string& path, const char* mode)
    : name_(path), reports_(std::make_unique<Reports>()) {
    std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    if (!options) return;
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), &on_error, reports_.get());
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), &on_warning, reports_.get());
    tif_ = TIFFOpenExt(path.c_str(), mode, options.get());
}

TiffFile::~TiffFile() {
    if (tif_) TIFFClose(tif_);
}

bool TiffFile::has_error() const { return reports_->error_count != 0; }

std::string TiffFile::diagnostics() const {
    if (reports_->errors.empty() && reports_->warnings.empty()) return "";
    std::string text = " (libtiff:";
    for (const std::string& error : reports_->errors) text += " " + error + ";";
    if (reports_->error_count > reports_->errors.size())
        text += " " + std::to_string(reports_->error_count - reports_->errors.size()) +
                " more errors;";
    for (const std::string& warning : reports_->warnings) text += " warning: " + warning + ";";
    text.back() = ')';
    return text;
}

void TiffFile::require(bool ok, const std::string& message) const {
    if (!ok || has_error()) fail(message);
}

void TiffFile::fail(const std::string& message) const {
    throw util::Exception(message + ", file = " + name_ + diagnostics());
}

void TiffFile::close() {
    if (!tif_) return;
    TIFF* tif = tif_;
    tif_ = nullptr;
    // TIFFClose cannot report failure; flushing first lets a failed write of
    // the last directory or strip be seen.
    bool flushed = TIFFGetMode(tif) == O_RDONLY || TIFFFlush(tif) == 1;
    TIFFClose(tif);
    require(flushed, "unable to write file");
}

TiffBuffer::TiffBuffer(std::size_t bytes) : bytes_(bytes) {
    if (bytes > 0) data_ = _TIFFmalloc(static_cast<tmsize_t>(bytes));
}

TiffBuffer::~TiffBuffer() {
    if (data_) _TIFFfree(data_);
}

}  // namespace ipc
