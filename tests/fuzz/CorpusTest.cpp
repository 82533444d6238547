// Every committed fuzz input, interesting or once crashing, replayed through
// the same entry the fuzzer calls, in the ordinary build.
#include "FuzzEntries.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <ostream>

namespace drawmentor::fuzz {

// Test names and failures show the reader, not the bytes of the entry.
void PrintTo(const TTarget& target, std::ostream* out) {
    *out << target.Name;
}

namespace {

class FuzzCorpus : public ::testing::TestWithParam<TTarget> {};

TEST_P(FuzzCorpus, EveryInputIsReadOrRefusedCleanly) {
    const QDir folder(QStringLiteral(DRAWMENTOR_FUZZ_CORPUS "/") + GetParam().Name);
    const QStringList inputs = folder.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(inputs.size(), 3) << "each reader needs a corpus in " << folder.path().toStdString();
    for (const QString& name : inputs) {
        SCOPED_TRACE(name.toStdString());
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_NO_THROW(GetParam().Entry(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                         static_cast<size_t>(bytes.size())));
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzCorpus, ::testing::ValuesIn(Targets()),
                         [](const ::testing::TestParamInfo<TTarget>& target) {
                             return std::string(target.param.Name);
                         });

} // namespace
} // namespace drawmentor::fuzz
