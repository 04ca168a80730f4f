#include "tools/lexon/lexon_progress.h"

TextProgressBar::TextProgressBar(FILE* stream, const std::vector<std::string>& labels, int width)
    : stream_(stream), labels_(labels), width_(width), walk_(0), total_(0), drawn_(-1)
{
}

bool TextProgressBar::Start(uint32_t total)
{
    total_ = total;
    drawn_ = -1;
    Draw(0);
    return true;
}

void TextProgressBar::Update(uint32_t position)
{
    if (ProgressBarLength(position, total_, width_) != drawn_ || position == total_) Draw(position);
}

void TextProgressBar::Finish()
{
    std::fputc('\n', stream_);
    std::fflush(stream_);
    ++walk_;
}

void TextProgressBar::Draw(uint32_t position)
{
    int length = ProgressBarLength(position, total_, width_);
    if (total_ == 0) length = width_;
    std::string bar(static_cast<size_t>(length), '#');
    bar.append(static_cast<size_t>(width_ - length), ' ');
    const char* label = walk_ < labels_.size() ? labels_[walk_].c_str() : "";
    std::fprintf(stream_, "\r%s [%s] %lu/%lu", label, bar.c_str(), static_cast<unsigned long>(position),
                 static_cast<unsigned long>(total_));
    std::fflush(stream_);
    drawn_ = length;
}
