// ProgramItemBlock: one Program Manager item as the installer saved it in the
// installation log (record DeleteProgramItemOp), and as the Program Manager
// client fills it when it reads a group's items or re-creates an item.
//
// Layout, 1112 bytes, integers little-endian signed 32-bit:
//
//   offset  size  field
//   ------  ----  ---------------------------------------------------------
//        0     4  x position
//        4     4  y position
//        8     4  run minimized (0 or 1)
//       12     4  hot key
//       16     4  icon index
//       20    60  item name, NUL-terminated
//       80   512  command line, NUL-terminated
//      592   260  icon path, NUL-terminated (empty = none)
//      852   260  working directory, NUL-terminated (empty = none)
//
// Invariant after program_item_block_from_bytes: every text member ends in a
// NUL inside its own array (a block read from a file that lacks one is cut at
// the last byte of the member), so the members can be used as C strings.
#ifndef RAVELUP_CORE_PROGRAM_ITEM_BLOCK_H
#define RAVELUP_CORE_PROGRAM_ITEM_BLOCK_H

#include <cstdint>

struct ProgramItemBlock {
    int32_t x;
    int32_t y;
    int32_t run_minimized;
    int32_t hot_key;
    int32_t icon_index;
    char name[60];
    char command_line[512];
    char icon_path[260];
    char working_dir[260];
};

static_assert(sizeof(ProgramItemBlock) == 1112, "ProgramItemBlock must be 1112 bytes");

enum { kProgramItemBlockSize = 1112 };

// Fills the block from the 1112 bytes of its file image (little-endian
// integers), NUL-terminating every text member.
void program_item_block_from_bytes(const unsigned char* bytes, ProgramItemBlock* block);

// Writes the 1112-byte file image of the block.
void program_item_block_to_bytes(const ProgramItemBlock& block, unsigned char* bytes);

#endif
