#include "common/block_output.h"

namespace synopter {

BlockOutput::BlockOutput(std::FILE* file) : file_(file)
{
    if (file_)
        text_.reserve(kBlockSize + kBlockSize / 4);
}

bool BlockOutput::Flush()
{
    if (file_ && !text_.empty()) {
        if (!failed_ && std::fwrite(text_.data(), 1, text_.size(), file_) != text_.size())
            failed_ = true;
        text_.clear();
    }
    return !failed_;
}

} // namespace synopter
