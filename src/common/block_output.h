#pragma once

#include <cstdio>
#include <string>

namespace synopter {

// Output gathered in a string and written to a file in large blocks, so a
// long report reuses one buffer. A failed write is remembered and no later
// one tried. Without a file everything stays in Text().
class BlockOutput {
public:
    explicit BlockOutput(std::FILE* file = nullptr);

    // What has not gone to the file yet; append to it.
    std::string& Text() { return text_; }
    const std::string& Text() const { return text_; }

    // Called after each piece of output.
    void FlushIfFull()
    {
        if (file_ && text_.size() >= kBlockSize)
            Flush();
    }
    // Sends the rest to the file; false when any write to it failed.
    bool Flush();
    bool Failed() const { return failed_; }

    // A pipe takes 64 KB at a time; larger blocks only touch more memory.
    static constexpr size_t kBlockSize = 64 * 1024;

private:
    std::FILE* file_;
    std::string text_;
    bool failed_ = false;
};

} // namespace synopter
