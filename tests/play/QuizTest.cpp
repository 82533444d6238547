#include "play/Quiz.h"

#include "play/Dealer.h"

#include "support/JacksChart.h"
#include "support/TempFolders.h"

#include <QDir>
#include <gtest/gtest.h>

#include <map>

namespace drawmentor {
namespace {

using testing::JacksChart;

class QuizTest : public ::testing::Test {
  protected:
    QuizTest() {
        TRandom::SetSeedSource([] { return 4242u; });
        TQuiz::SetToday([] { return QDate(2026, 12, 8); });
    }
    ~QuizTest() override {
        TRandom::SetSeedSource({});
        TQuiz::SetToday({});
    }
    std::string Folder() const { return (folders.Data() + QStringLiteral("/Quiz/")).toStdString(); }

    testing::TTempFolders folders;
};

// Fifty deals answered through the quiz's commands: every hand of one line
// missed, the others played best. The missed line keeps coming back within a
// few questions, while a line answered right climbs boxes and waits longer.
TEST_F(QuizTest, AMissedLineComesBackSoonerThanAMasteredOne) {
    TQuiz quiz(JacksChart(), Folder());
    TChartAdvisor judge(JacksChart());
    int missed = -1;
    std::map<int, std::vector<int64_t>> asked; // question numbers by line
    for (int question = 0; question < 50; ++question) {
        quiz.NextDeal();
        ASSERT_TRUE(quiz.HasDeal());
        const int line = quiz.DealLine();
        if (missed < 0) missed = line;
        const int best = judge.BestMask(quiz.Dealt());
        // A miss holds something worth less: drawing five, or keeping all when that is best.
        const int wrong = judge.ReturnOf(31) < judge.ReturnOf(best) - 1e-6 ? 31 : 0;
        quiz.SetDrawMask(line == missed ? wrong : best);
        const TQuizVerdict& verdict = quiz.Answer();
        EXPECT_EQ(verdict.Right, line != missed) << question;
        EXPECT_EQ(verdict.Line, line);
        EXPECT_EQ(verdict.Advice.BestMask, best);
        asked[line].push_back(question);
    }
    const auto& lines = quiz.Schedule().Lines();
    ASSERT_GE(asked[missed].size(), 8u) << "a missed line is asked again and again";
    for (size_t i = 1; i < asked[missed].size(); ++i)
        EXPECT_LE(asked[missed][i] - asked[missed][i - 1], kQuizIntervals[1] + 2);
    EXPECT_EQ(lines[static_cast<size_t>(missed)].Box, 1);
    int mastered = -1;
    for (const auto& [line, questions] : asked)
        if (line != missed && questions.size() >= 3) mastered = line;
    ASSERT_GE(mastered, 0);
    EXPECT_GE(lines[static_cast<size_t>(mastered)].Box, 3);
    EXPECT_GT(lines[static_cast<size_t>(mastered)].Due, lines[static_cast<size_t>(missed)].Due);

    // The schedule is kept: a quiz opened again goes on where this one stopped.
    TQuiz again(JacksChart(), Folder());
    EXPECT_EQ(again.Notice().Kind, TQuizFileNotice::None);
    EXPECT_EQ(again.Schedule().Questions(), 50);
    EXPECT_EQ(again.Schedule().Lines()[static_cast<size_t>(missed)].Asked,
              static_cast<int>(asked[missed].size()));
    ASSERT_EQ(again.Schedule().Days().size(), 1u);
    EXPECT_EQ(again.Schedule().Days()[0].Asked, 50);
    EXPECT_EQ(again.Schedule().Days()[0].Right, 50 - static_cast<int>(asked[missed].size()));
}

// A damaged file, or one of another paytable, is moved aside with one notice;
// the quiz runs and keeps a good file again.
TEST_F(QuizTest, AFileItCannotTakeIsSetAside) {
    const std::string path = QuizFilePath(Folder(), {0, 5, JacksChart().Pays});
    QDir().mkpath(QString::fromStdString(Folder()));
    for (const auto& [contents, kind] :
         {std::pair{QByteArray("DrawMentor quiz 1\ngame 0\nbet 5\npays 1,2\nline 9 x"),
                    TQuizFileNotice::Damaged},
          std::pair{QByteArray("\x7f"
                               "ELF\x02\x01"),
                    TQuizFileNotice::Damaged},
          std::pair{QByteArray("DrawMentor quiz 1\ngame 0\nbet 5\npays 1,2,3\nquestions 4\n"),
                    TQuizFileNotice::OtherPaytable}}) {
        testing::WriteFile(QString::fromStdString(path), contents);
        TQuiz quiz(JacksChart(), Folder());
        EXPECT_EQ(quiz.Notice().Kind, kind);
        EXPECT_EQ(quiz.Notice().SetAside, path + ".set-aside");
        EXPECT_EQ(testing::ReadFile(QString::fromStdString(path + ".set-aside")), contents);
        EXPECT_EQ(quiz.Schedule().Questions(), 0);
        quiz.TakeNotice();
        quiz.NextDeal();
        quiz.Answer();
        EXPECT_EQ(quiz.Notice().Kind, TQuizFileNotice::None);
        EXPECT_EQ(TQuiz(JacksChart(), Folder()).Schedule().Questions(), 1);
    }
}

} // namespace
} // namespace drawmentor
