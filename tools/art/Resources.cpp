#include "tools/art/Resources.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>

namespace tarvo::art {

void ResourceSet::Add(const QString& type, const QString& name, const QByteArray& bytes) {
    entries_[type.toUpper() + '/' + name.toUpper()] = bytes;
}

bool ResourceSet::WriteQrc(const QString& dir, const QString& qrcPath, QString* error) const {
    QString qrc = QStringLiteral("<RCC>\n  <qresource prefix=\"/\">\n");
    for (const auto& [path, bytes] : entries_) {
        const QString file = QDir(dir).filePath(path);
        QDir().mkpath(QFileInfo(file).path());
        // Unchanged files keep their time stamps, so a rebuild only touches what changed.
        QFile old(file);
        if (!(old.open(QIODevice::ReadOnly) && old.readAll() == bytes)) {
            old.close();
            QSaveFile out(file);
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
                if (error) *error = QStringLiteral("cannot write ") + file;
                return false;
            }
        }
        qrc += QStringLiteral("    <file alias=\"%1\">%2</file>\n")
                   .arg(path, QDir(QFileInfo(qrcPath).path()).relativeFilePath(file));
    }
    qrc += QStringLiteral("  </qresource>\n</RCC>\n");
    QFile old(qrcPath);
    if (old.open(QIODevice::ReadOnly) && old.readAll() == qrc.toUtf8()) return true;
    old.close();
    QSaveFile out(qrcPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(qrc.toUtf8()) < 0 || !out.commit()) {
        if (error) *error = QStringLiteral("cannot write ") + qrcPath;
        return false;
    }
    return true;
}

bool ResourceSet::WritePackage(const QString& rcc, const QString& workDir, const QString& packagePath,
                               QString* error) const {
    const QString qrc = QDir(workDir).filePath(QStringLiteral("package.qrc"));
    if (!WriteQrc(workDir, qrc, error)) return false;
    QDir().mkpath(QFileInfo(packagePath).path());
    QProcess p;
    p.start(rcc, {QStringLiteral("--binary"), QStringLiteral("--no-compress"), QStringLiteral("-o"),
                  packagePath, qrc});
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error)
            *error = QStringLiteral("rcc failed for ") + packagePath + ": " +
                     QString::fromLocal8Bit(p.readAllStandardError());
        return false;
    }
    return true;
}

} // namespace tarvo::art
