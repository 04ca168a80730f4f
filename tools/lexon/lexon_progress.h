// The rebuild's progress as a text bar on a terminal:
//   mixing.mgm [########################                ]  6000/10000
// Written to standard error, only when it is a terminal.
#ifndef LEXON_TOOLS_LEXON_PROGRESS_H
#define LEXON_TOOLS_LEXON_PROGRESS_H

#include "translator/storage/rebuild_progress.h"

#include <cstdio>
#include <string>
#include <vector>

class TextProgressBar : public RebuildProgress {
public:
    // labels: one per walk, in order (e.g. the two index names).
    TextProgressBar(FILE* stream, const std::vector<std::string>& labels, int width = 40);
    bool Start(uint32_t total) override;
    void Update(uint32_t position) override;
    void Finish() override;

private:
    void Draw(uint32_t position);
    FILE* stream_;
    std::vector<std::string> labels_;
    int width_;
    size_t walk_;
    uint32_t total_;
    int drawn_;   // bar length drawn last, -1 = none
};

#endif
