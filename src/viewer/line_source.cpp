#include "viewer/line_source.h"

#include "platform/paths.h"

#include <algorithm>
#include <cerrno>

// The next piece of the file into the chunk; false at its end or on an error.
bool Line_Source::Refill()
{
    if (!file_ || error_ || nul_) return false;
    chunk_.resize(CHUNK);
    errno = 0;
    const size_t n = std::fread(chunk_.data(), 1, CHUNK, file_);
    chunk_.resize(n);
    pos_ = 0;
    if (n == 0 && std::ferror(file_)) {
        const int code = Input_Stream_Error(file_);
        error_ = code ? code : errno ? errno : EIO;
    }
    if (chunk_.find('\0') != std::string::npos) nul_ = true;
    return n > 0 && !nul_;
}

void Line_Source::Fetch()
{
    line_.clear();
    have_ = false;
    bool cut = false;
    while (true) {
        const std::string& from = bytes_ ? *bytes_ : chunk_;
        if (pos_ >= from.size()) {
            if (bytes_ || !Refill()) break;
            continue;
        }
        const size_t end = from.find('\n', pos_);
        const size_t stop = end == std::string::npos ? from.size() : end;
        have_ = true;
        const size_t room = VIEW_LINE_MAX - std::min(line_.size(), VIEW_LINE_MAX);
        if (stop - pos_ > room) cut = true;
        line_.append(from, pos_, std::min(stop - pos_, room));
        pos_ = stop;
        if (end != std::string::npos) {
            ++pos_;
            break;
        }
    }
    if (!have_) return;
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    if (cut) ++cut_;
}
