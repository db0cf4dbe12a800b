// Saving through a temporary file: a failure at any point leaves what was
// there byte for byte and no stray file.
#include "FailingRename.h"

#include "base/RuntimeError.h"
#include "base/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(SaveFile, ReplacesTheTargetOnlyWhenTheWriteIsComplete)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ergebnis.xlsx"));
    const QByteArray earlier("die Daten von gestern");
    saveFile(path, [&](QIODevice& out) { out.write(earlier); });
    ASSERT_EQ(contents(path), earlier);

    const auto failAfterWriting = [](QIODevice& out) {
        out.write("halb geschrieben");
        throw RuntimeError(QStringLiteral("abgebrochen"));
    };
    EXPECT_THROW(saveFile(path, failAfterWriting), RuntimeError);
    EXPECT_THROW(saveFile(path, [](QIODevice& out) {
        out.write("halb");
        throw std::bad_alloc();
    }), std::bad_alloc);
    EXPECT_EQ(contents(path), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList(QStringLiteral("Ergebnis.xlsx")));

    saveFile(path, [](QIODevice& out) { out.write("neu"); });
    EXPECT_EQ(contents(path), QByteArray("neu"));
}

// The last step fails: the complete temporary file cannot take the old
// file's place (on Windows: a spreadsheet program holds it open). Both ways
// the program saves report it and keep what was there, and no temporary file.
TEST(SaveFile, AFailedLastStepIsReportedAndKeepsTheOldFileByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ergebnis.xlsx"));
    const QByteArray earlier("die Daten von gestern");
    saveFile(path, [&](QIODevice& out) { out.write(earlier); });
    const std::function<void()> saves[] = {
        [&] { saveFile(path, [](QIODevice& out) { out.write("neu"); }); },
        [&] {
            saveDraftedFile(path, [](const QString& draft) {
                QFile file(draft);
                if (file.open(QIODevice::WriteOnly)) file.write("neu");
            });
        },
    };
    for (const auto& save : saves) {
        failingRename::setFailing(path);
        QString reason;
        try {
            save();
        } catch (const RuntimeError& error) {
            reason = QString::fromUtf8(error.what());
        }
        const int renames = failingRename::failedCalls();
        failingRename::setFailing({});
        ASSERT_GT(renames, 0) << "the save did not end in a rename; this test no longer makes its last step fail";
        EXPECT_TRUE(reason.contains(QStringLiteral("an ihren Platz"))) << reason.toStdString();
        EXPECT_EQ(contents(path), earlier);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList(QStringLiteral("Ergebnis.xlsx")));
    }
}

TEST(SaveFile, AFolderThatCannotTakeTheFileIsARuntimeError)
{
    QTemporaryDir dir;
    EXPECT_THROW(saveFile(dir.filePath(QStringLiteral("fehlt/Ergebnis.xlsx")), [](QIODevice&) {}), RuntimeError);
    EXPECT_THROW(saveFile(dir.path(), [](QIODevice&) {}), RuntimeError);  // a folder as the file
}

TEST(SaveDraftedFile, SavesOnlyACompleteDraftAndLeavesNoScratchFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ergebnis.xlsx"));
    const QByteArray earlier("die Daten von gestern");
    saveFile(path, [&](QIODevice& out) { out.write(earlier); });

    const auto writeDraft = [](const QString& draft, const QByteArray& bytes) {
        QFile file(draft);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    EXPECT_THROW(saveDraftedFile(path, [&](const QString& draft) {
        writeDraft(draft, "halb geschrieben");
        throw RuntimeError(QStringLiteral("abgebrochen"));
    }), RuntimeError);
    EXPECT_THROW(saveDraftedFile(path, [](const QString&) {}), RuntimeError);  // no draft made
    EXPECT_EQ(contents(path), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList(QStringLiteral("Ergebnis.xlsx")));

    QByteArray workbook(200 * 1024, '\0');  // more than one piece of the copy
    for (int i = 0; i < workbook.size(); ++i) workbook[i] = char(i * 7 % 251);
    QString scratch;
    saveDraftedFile(path, [&](const QString& draft) {
        scratch = draft;
        writeDraft(draft, workbook);
    });
    EXPECT_EQ(contents(path), workbook);
    EXPECT_FALSE(QFileInfo::exists(scratch)) << scratch.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList(QStringLiteral("Ergebnis.xlsx")));
}

TEST(FinalFileName, TheSuffixIsAppendedOrTakesThePlaceOfAReplacedOne)
{
    const QStringList replaced{QStringLiteral("xls"), QStringLiteral("ods")};
    const struct {
        const char* typed;
        const char* final;
    } cases[] = {
        {"/a/Ergebnis", "/a/Ergebnis.xlsx"},
        {"/a/Ergebnis.xlsx", "/a/Ergebnis.xlsx"},
        {"/a/Ergebnis.XLSX", "/a/Ergebnis.XLSX"},
        {"/a/x.xls", "/a/x.xlsx"},
        {"/a/x.Ods", "/a/x.xlsx"},
        {"/a/Haus 2.v3", "/a/Haus 2.v3.xlsx"},
        {"/a.xls/Ergebnis", "/a.xls/Ergebnis.xlsx"},
        {"/a/.xls", "/a/.xls.xlsx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(finalFileName(QString::fromUtf8(c.typed), QStringLiteral("xlsx"), replaced), QString::fromUtf8(c.final))
            << c.typed;
}

}  // namespace
