#pragma once

#include <cstdio>

namespace vorla::render {

// A one-line progress bar on a terminal; silent when the stream is not one or
// the work is short.
class ProgressBar {
public:
    ProgressBar(std::FILE* stream, bool wanted);
    ~ProgressBar();

    void Update(double fraction);

private:
    std::FILE* stream;
    bool shown;
    int lastPercent = -1;
};

}  // namespace vorla::render
