#include "ProgressBar.h"

#include <unistd.h>

#include <string>

namespace vorla::render {

namespace {
constexpr int kWidth = 40;
}

ProgressBar::ProgressBar(std::FILE* stream, bool wanted)
    : stream(stream), shown(wanted && isatty(fileno(stream)))
{
}

ProgressBar::~ProgressBar()
{
    if (shown && lastPercent >= 0) std::fputc('\n', stream);
}

void ProgressBar::Update(double fraction)
{
    const int percent = int(fraction * 100.0);
    if (!shown || percent == lastPercent) return;
    lastPercent = percent;
    const int filled = percent * kWidth / 100;
    std::fprintf(stream, "\rrendering [%s%s] %3d%%", std::string(size_t(filled), '#').c_str(),
                 std::string(size_t(kWidth - filled), '.').c_str(), percent);
    std::fflush(stream);
}

}  // namespace vorla::render
