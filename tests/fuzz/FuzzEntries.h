#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One entry per reader of stored data, each taking the bytes of one file. An
// entry returns normally when the reader accepted the bytes or refused them
// with the program's own error; anything else (a crash, a sanitizer report,
// another exception) is a finding. The same entries run under libFuzzer and,
// for every committed corpus file, as ordinary unit tests.
namespace drawmentor::fuzz {

using TEntry = int (*)(const uint8_t* data, size_t size);

int Ini(const uint8_t* data, size_t size);
int Language(const uint8_t* data, size_t size);
int GameLog(const uint8_t* data, size_t size);
int Paytable(const uint8_t* data, size_t size);
int ReturnCache(const uint8_t* data, size_t size);
int Chart(const uint8_t* data, size_t size);
int Quiz(const uint8_t* data, size_t size);
int Deck(const uint8_t* data, size_t size);
int Back(const uint8_t* data, size_t size);
int PackedImage(const uint8_t* data, size_t size);

struct TTarget {
    const char* Name; // also the corpus folder, tests/data/fuzz/<Name>
    TEntry Entry;
};
const std::vector<TTarget>& Targets();

} // namespace drawmentor::fuzz
