#include "program_item_block.h"

#include <cstring>

namespace {

int32_t get_int32(const unsigned char* p)
{
    uint32_t value = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                     (uint32_t(p[3]) << 24);
    int32_t result;
    std::memcpy(&result, &value, 4);
    return result;
}

void put_int32(int32_t value, unsigned char* p)
{
    uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i)
        p[i] = (unsigned char)(v >> (8 * i));
}

// Copies a text member and makes sure it ends inside its array.
void get_text(const unsigned char* p, char* out, size_t size)
{
    std::memcpy(out, p, size);
    out[size - 1] = '\0';
}

}  // namespace

void program_item_block_from_bytes(const unsigned char* bytes, ProgramItemBlock* block)
{
    block->x = get_int32(bytes + 0);
    block->y = get_int32(bytes + 4);
    block->run_minimized = get_int32(bytes + 8);
    block->hot_key = get_int32(bytes + 12);
    block->icon_index = get_int32(bytes + 16);
    get_text(bytes + 20, block->name, sizeof block->name);
    get_text(bytes + 80, block->command_line, sizeof block->command_line);
    get_text(bytes + 592, block->icon_path, sizeof block->icon_path);
    get_text(bytes + 852, block->working_dir, sizeof block->working_dir);
}

void program_item_block_to_bytes(const ProgramItemBlock& block, unsigned char* bytes)
{
    put_int32(block.x, bytes + 0);
    put_int32(block.y, bytes + 4);
    put_int32(block.run_minimized, bytes + 8);
    put_int32(block.hot_key, bytes + 12);
    put_int32(block.icon_index, bytes + 16);
    std::memcpy(bytes + 20, block.name, sizeof block.name);
    std::memcpy(bytes + 80, block.command_line, sizeof block.command_line);
    std::memcpy(bytes + 592, block.icon_path, sizeof block.icon_path);
    std::memcpy(bytes + 852, block.working_dir, sizeof block.working_dir);
}
