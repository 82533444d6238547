// One libFuzzer target: the entry is chosen at compile time (DRAWMENTOR_FUZZ_ENTRY).
#include "FuzzEntries.h"

#include <QGuiApplication>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Decks and backs paint into images: a GUI application on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return drawmentor::fuzz::DRAWMENTOR_FUZZ_ENTRY(data, size);
}
