#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

struct zip;
struct zip_file;

// A ZIP package (an .xlsx or .ods workbook) opened for reading its parts.
// Every failure is a RuntimeError with a German reason: a damaged archive, a
// missing part, a part whose checksum does not match, a part too large.
class ZipPackage {
public:
    // No part of a workbook this program reads needs more; a larger one is
    // refused rather than read.
    static constexpr qint64 maxPartSize = 256 * 1024 * 1024;

    explicit ZipPackage(const QString& path);
    ~ZipPackage();
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    // Part names compare without regard to case, as in office packages.
    bool contains(const QString& part) const;
    // A whole part at once: only for parts that are small by nature (mimetype).
    QByteArray read(const QString& part) const;

private:
    friend class ZipPart;
    struct zip* m_zip = nullptr;
};

// One part of a package read as it is inflated, 64 KiB at a time, so that a
// reader that stops early never holds or inflates the rest. Reading ends at
// the part's end or at a fault (damaged data, more than maxPartSize bytes);
// fault() then tells the German reason, to be thrown instead of the reader's own.
class ZipPart : public QIODevice {
public:
    // Throws RuntimeError when the part is missing or cannot be opened.
    ZipPart(const ZipPackage& package, const QString& part);
    ~ZipPart() override;

    bool isSequential() const override { return true; }
    const QString& fault() const { return m_fault; }
    // Throws the fault as a RuntimeError when there is one.
    void throwFault() const;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QString m_part;
    struct zip_file* m_file = nullptr;
    qint64 m_read = 0;
    QString m_fault;
};
