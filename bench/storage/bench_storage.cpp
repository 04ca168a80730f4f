// bench_storage: times the index rebuild of a generated dictionary table of
// 100,000 records (both indexes, as the Index command does) against SQLite
// loading the same word pairs into one table with two indexes in one
// transaction, and measures Seek throughput with the pages read per Seek.
//   bench_storage [RECORDS] [FOLDER]
#include "translator/storage/btree.h"
#include "translator/storage/dbf.h"
#include "translator/storage/dictionary.h"
#include "translator/storage/integrity_check.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

struct Pair {
    std::string english;
    std::string spanish;
    std::string word_class;
};

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Words like a dictionary's: 3 to 14 letters, some Spanish ones with
// accented letters, about one English word in ten repeated.
std::vector<Pair> MakePairs(int count)
{
    std::mt19937 random(12345);
    const char* classes[] = {"n", "v", "adj", "adv", "prep"};
    auto word = [&](bool spanish) {
        int length = 3 + static_cast<int>(random() % 12);
        std::string w;
        for (int i = 0; i < length; ++i) {
            unsigned r = random() % 40;
            if (spanish && r == 0) w += '\xE1';
            else if (spanish && r == 1) w += '\xF1';
            else w += static_cast<char>('a' + random() % 26);
        }
        return w;
    };
    std::vector<Pair> pairs;
    for (int i = 0; i < count; ++i) {
        Pair p;
        p.english = (i > 10 && random() % 10 == 0) ? pairs[random() % pairs.size()].english : word(false);
        p.spanish = word(true);
        p.word_class = classes[random() % 5];
        pairs.push_back(p);
    }
    return pairs;
}

// Writes the table directly: header, then each record as the add operation
// stores it (converted, scrambled).
void WriteTable(const std::string& name, const std::vector<Pair>& pairs)
{
    unsigned char header[kDbfHeaderLength];
    MakeEmptyTableHeader(header, 2026, 1, 1);
    uint32_t count = static_cast<uint32_t>(pairs.size());
    std::memcpy(header + 4, &count, 4);   // little-endian hosts only (bench)
    FILE* file = std::fopen(name.c_str(), "wb");
    std::fwrite(header, 1, sizeof header, file);
    for (const Pair& p : pairs) {
        char image[kRecordImageSize] = {};
        std::strncpy(image + kEnglishOffset, p.english.c_str(), 20);
        std::strncpy(image + kSpanishOffset, p.spanish.c_str(), 20);
        std::strncpy(image + kClassOffset, p.word_class.c_str(), 5);
        ConvertDictionaryText(image + kEnglishOffset);
        ConvertDictionaryText(image + kSpanishOffset);
        ScrambleWordArea(image, kSpanishOffset);
        ScrambleWordArea(image, kEnglishOffset);
        std::fwrite(image, 1, kRecordLength, file);
    }
    std::fclose(file);
}

// durable = SQLite's defaults (the commit waits for the disk); otherwise
// synchronous=OFF, as our rebuild does not wait for the disk either.
double TimeSqlite(const std::string& name, const std::vector<Pair>& pairs, bool durable)
{
    std::filesystem::remove(name);
    auto start = std::chrono::steady_clock::now();
    sqlite3* db = nullptr;
    if (sqlite3_open(name.c_str(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: cannot open %s\n", name.c_str());
        std::exit(1);
    }
    if (!durable) sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_exec(db,
                 "CREATE TABLE words(english TEXT, spanish TEXT, class TEXT);"
                 "CREATE INDEX words_english ON words(english);"
                 "CREATE INDEX words_spanish ON words(spanish);",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO words VALUES(?, ?, ?)", -1, &insert, nullptr);
    for (const Pair& p : pairs) {
        sqlite3_bind_text(insert, 1, p.english.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 2, p.spanish.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 3, p.word_class.c_str(), -1, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: commit failed\n");
        std::exit(1);
    }
    sqlite3_close(db);
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv)
{
    int records = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::string folder = argc > 2 ? argv[2] : (std::filesystem::temp_directory_path() / "lexon_bench_storage").string();
    std::filesystem::create_directories(folder);
    DictionaryFiles files = DictionaryFiles::InFolder(folder);
    std::vector<Pair> pairs = MakePairs(records);
    WriteTable(files.table, pairs);

    const int kRuns = 3;
    double best_rebuild = 1e9;
    double best_sqlite = 1e9;
    double best_sqlite_durable = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        auto start = std::chrono::steady_clock::now();
        if (Reindex(files, nullptr) != 0) {
            std::fprintf(stderr, "rebuild failed\n");
            return 1;
        }
        best_rebuild = std::min(best_rebuild, Seconds(start));
        best_sqlite = std::min(best_sqlite, TimeSqlite(folder + "/bench.sqlite", pairs, false));
        best_sqlite_durable = std::min(best_sqlite_durable, TimeSqlite(folder + "/bench.sqlite", pairs, true));
    }
    DictionaryCheckResult check = CheckDictionary(files);
    if (!check.Consistent()) {
        std::fprintf(stderr, "the rebuilt dictionary is not consistent: %s\n", check.faults[0].c_str());
        return 1;
    }
    std::printf("rebuild of %d records (both indexes): %.3f s (best of %d)\n", records, best_rebuild, kRuns);
    std::printf("sqlite, same pairs, one table + two indexes, one transaction, synchronous=OFF: %.3f s (best of %d)\n",
                best_sqlite, kRuns);
    std::printf("sqlite, the same with its default durable commit: %.3f s (best of %d)\n", best_sqlite_durable, kRuns);
    double ratio = best_rebuild / best_sqlite;
    std::printf("ratio rebuild / sqlite (synchronous=OFF): %.2f (target <= 3.00): %s\n", ratio,
                ratio <= 3.0 ? "met" : "NOT MET");
    std::printf("ratio rebuild / sqlite (durable): %.2f\n", best_rebuild / best_sqlite_durable);

    // Seek throughput on the English index, every pair's word in random order.
    BTREE tree;
    int16_t h = tree.Open(files.english_index.c_str());
    std::vector<size_t> order(pairs.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(99));
    uint64_t pages_before = tree.PagesRead();
    int found = 0;
    auto start = std::chrono::steady_clock::now();
    for (size_t i : order) {
        char key[kDictionaryKeyLength + 1] = {};
        std::string stored = ConvertDictionaryText(pairs[i].english.substr(0, 20));
        MakeDictionaryKey(stored.c_str(), key);
        if (tree.Seek(h, key) != 0) ++found;
    }
    double seek_time = Seconds(start);
    double pages_per_seek = double(tree.PagesRead() - pages_before) / double(order.size());
    tree.Close(h);
    std::printf("seek: %zu seeks (%d found) in %.3f s = %.0f seeks/s, %.2f pages read per seek\n", order.size(),
                found, seek_time, double(order.size()) / seek_time, pages_per_seek);
    std::filesystem::remove_all(folder);
    return found == records ? 0 : 1;
}
