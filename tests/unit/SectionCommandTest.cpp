// The command line's --teilstrecken when writing its result workbook fails at
// one of its steps (FailingWrites.cpp makes it): status 2, a reason that
// names the result, and no result file.
#include "FailingWrites.h"

#include "base/NumberText.h"
#include "cli/SectionCommand.h"
#include "workbook/LinkedWorkbookFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Answer {
    int status;
    QString out, err;
};

Answer runSectionCommand(const QString& list, const QString& output)
{
    char *out = nullptr, *err = nullptr;
    std::size_t outSize = 0, errSize = 0;
    std::FILE* outStream = open_memstream(&out, &outSize);
    std::FILE* errStream = open_memstream(&err, &errSize);
    const NumberText numbers{QLocale::c()};
    const int status = sectionCommand(linkedWorkbookFiles(), list, output, numbers, outStream, errStream);
    std::fclose(outStream);
    std::fclose(errStream);
    Answer answer{status, QString::fromUtf8(out, qsizetype(outSize)), QString::fromUtf8(err, qsizetype(errSize))};
    std::free(out);
    std::free(err);
    return answer;
}

TEST(SectionCommand, AFailingStepOfTheResultWorkbookIsReportedAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("Liste.csv"));
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Teilstrecke;BW;Einzel BW\nA;250;5\nB;300;7\n");
    file.close();
    const QString result = dir.filePath(QStringLiteral("Haus.xlsx"));
    ASSERT_EQ(runSectionCommand(list, result).status, 0) << "without a failure";
    ASSERT_TRUE(QFile::remove(result));

    using failingWrites::Step;
    for (const Step step : {Step::SheetFile, Step::Entry, Step::Compression, Step::Close}) {
        SCOPED_TRACE(int(step));
        failingWrites::failAt(step);
        const Answer answer = runSectionCommand(list, result);
        const int failed = failingWrites::failedCalls();
        failingWrites::failAt(Step::None);
        EXPECT_GT(failed, 0) << "the step was never reached";
        EXPECT_EQ(answer.status, 2);
        EXPECT_TRUE(answer.err.contains(QStringLiteral("„Haus.xlsx“"))) << answer.err.toStdString();
        EXPECT_EQ(answer.out, QString());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Liste.csv")});
    }
}

}  // namespace
