#pragma once

#include <QByteArray>
#include <QString>

struct zip;

// A ZIP package (an .xlsx or .ods workbook) opened for reading its parts.
// Every failure is a RuntimeError with a German reason: a damaged archive, a
// missing part, a part whose checksum does not match, a part too large.
class ZipPackage {
public:
    // No part of a workbook this program reads needs more; a larger one is
    // refused rather than read into memory.
    static constexpr qint64 maxPartSize = 256 * 1024 * 1024;

    explicit ZipPackage(const QString& path);
    ~ZipPackage();
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    // Part names compare without regard to case, as in office packages.
    bool contains(const QString& part) const;
    QByteArray read(const QString& part) const;

private:
    struct zip* m_zip = nullptr;
};
