#include "base/SaveFile.h"

#include "base/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QTemporaryDir>

QString finalFileName(const QString& name, const QString& suffix, const QStringList& replaced)
{
    const QString dotted = QLatin1Char('.') + suffix;
    if (name.endsWith(dotted, Qt::CaseInsensitive)) return name;
    // Only the file's own name may carry the suffix: "a.b/Ergebnis" has none.
    const QString own = QFileInfo(name).fileName();
    const qsizetype dot = own.lastIndexOf(QLatin1Char('.'));
    if (dot > 0 && replaced.contains(own.mid(dot + 1), Qt::CaseInsensitive))
        return name.left(name.size() - (own.size() - dot)) + dotted;
    return name + dotted;
}

void saveFile(const QString& path, const std::function<void(QIODevice&)>& write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw RuntimeError(QStringLiteral("Die Zwischendatei im Zielordner kann nicht angelegt werden (%1).").arg(file.errorString()));
    // QSaveFile removes its temporary file when it is destroyed uncommitted,
    // so an exception of `write` leaves the target as it was.
    write(file);
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(QStringLiteral("Das Schreiben ist fehlgeschlagen (%1).").arg(file.errorString()));
    if (!file.commit())
        throw RuntimeError(QStringLiteral("Die fertige Datei kann nicht an ihren Platz gebracht werden (%1).").arg(file.errorString()));
}

void saveDraftedFile(const QString& path, const std::function<void(const QString& scratchPath)>& write)
{
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        throw RuntimeError(QStringLiteral("Ein temporärer Ordner kann nicht angelegt werden (%1).").arg(scratch.errorString()));
    const QString draft = scratch.filePath(QFileInfo(path).fileName());
    write(draft);
    QFile made(draft);
    if (!made.open(QIODevice::ReadOnly))
        throw RuntimeError(QStringLiteral("Die temporäre Datei kann nicht gelesen werden (%1).").arg(made.errorString()));
    saveFile(path, [&made](QIODevice& out) {
        char buffer[64 * 1024];
        qint64 read = 0;
        while ((read = made.read(buffer, sizeof buffer)) > 0)
            if (out.write(buffer, read) != read) return;  // saveFile reports the device's error
        if (read < 0)
            throw RuntimeError(QStringLiteral("Die temporäre Datei kann nicht gelesen werden (%1).").arg(made.errorString()));
    });
}
