#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "../support/TinyWebServer.h"
#include "packages/Download.h"
#include "packages/Package.h"

namespace tarvo {
namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

} // namespace

// The network needs an application object: PackageTest.cpp makes one for the whole program.

// A download replaces the old file only when the whole body came, within the size bound, with
// status 200; anything else leaves the old file as it was and nothing beside it.
TEST(Download, OnlyAWholeBodyWithinItsBoundReplacesTheFile) {
    const QByteArray body(300000, 'p');
    test::TinyWebServer server("/downloads/progr/cards/QobCards06A.dll", body);
    const struct {
        const char* label;
        QString fileName;
        qint64 maxBytes;
        bool ok;
    } cases[] = {
        {"over the bound", CardsPackageA, 299999, false},
        {"missing on the server", QStringLiteral("QobCGraph1.dll"), 1 << 20, false},
        {"exactly the bound", CardsPackageA, 300000, true},
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        const QString path = QDir(folder.path()).filePath(c.fileName);
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        DownloadLimits limits;
        limits.maxBytes = c.maxBytes;
        EXPECT_EQ(DownloadPackage(server.Address(), c.fileName, folder.path(), limits), c.ok) << c.label;
        EXPECT_EQ(Contents(path), c.ok ? body : QByteArray("old")) << c.label;
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{c.fileName})
            << c.label;
    }
}

} // namespace tarvo
