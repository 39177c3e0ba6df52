#include "packages/Package.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tarvo {

namespace {
QString Joined(const QString& folder, const QString& name) {
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name);
}
} // namespace

QString ProgramDataFolder(const QString& name) {
    const QDir program(QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath());
    const QString installed = program.filePath(QStringLiteral(TARVO_DATA_FROM_BIN "/") + name);
    if (QFileInfo(installed).isDir()) return QDir::cleanPath(installed);
    return QDir::cleanPath(program.filePath(QStringLiteral("../") + name));
}

PackageFolders DefaultPackageFolders() {
    return {QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath(),
            ProgramDataFolder(QStringLiteral("packages"))};
}

QString PackageRegistry::Find(const QString& fileName) const {
    const PackageFolders f = Folders();
    const QString places[] = {Joined(f.programFolder, fileName), Joined(f.shippedFolder, fileName),
                              Joined(f.programFolder, QStringLiteral("../") + fileName)};
    for (const QString& path : places)
        if (!path.isEmpty() && QFileInfo(path).isFile()) return QDir::cleanPath(path);
    return {};
}

std::optional<Package> PackageRegistry::Open(const QString& fileName) const {
    if (fileName.isEmpty()) return Package::Program();
    const QString path = Find(fileName);
    if (path.isEmpty()) return std::nullopt;
    return Package::FromFile(path);
}

std::optional<Package> Package::FromFile(const QString& path) {
    Package p;
    p.file_ = std::make_shared<QFile>(path);
    if (!p.file_->open(QIODevice::ReadOnly)) return std::nullopt;
    const qint64 size = p.file_->size();
    const uchar* bytes = size > 0 ? p.file_->map(0, size) : nullptr;
    if (!bytes) return std::nullopt;
    p.view_ = PackageFile::Parse(bytes, size);
    if (!p.view_) return std::nullopt;
    return p;
}

std::optional<QByteArray> Package::Read(const QString& type, const QString& name) const {
    if (!file_) {
        // The program's own resources carry upper-case names, so the lookup ignores case too.
        QFile own(QStringLiteral(":/") + type.toUpper() + '/' + name.toUpper());
        if (!own.open(QIODevice::ReadOnly)) return std::nullopt;
        return own.readAll();
    }
    return view_->Find(type, name);
}

QImage Package::ReadPicture(const QString& type, const QString& name) const {
    auto bytes = Read(type, name);
    if (!bytes) return {};
    // JPEG and bitmap types say what they hold; anything else is told by its own header.
    const char* format = type.compare(Jpeg, Qt::CaseInsensitive) == 0     ? "JPEG"
                         : type.compare(Bitmap, Qt::CaseInsensitive) == 0 ? "BMP"
                                                                          : nullptr;
    return QImage::fromData(*bytes, format);
}

namespace {
bool LoadTyped(const PackageRegistry& registry, const QString& name, const QString& package,
               const QString& type, QImage& picture) {
    auto p = registry.Open(package);
    if (!p) return false;
    QImage image = p->ReadPicture(type, name);
    if (image.isNull()) return false;
    picture = std::move(image);
    return true;
}
} // namespace

bool PackageRegistry::LoadPicture(const QString& name, const QString& package, QImage& picture) const {
    return LoadTyped(*this, name, package, RcData, picture);
}

bool PackageRegistry::LoadJpeg(const QString& name, const QString& package, QImage& picture) const {
    return LoadTyped(*this, name, package, Jpeg, picture);
}

void InvertFaceEllipse(QImage& picture) {
    const int w = picture.width(), h = picture.height();
    // The ellipse inscribed in (10, 10)-(w-10, h-10), right and bottom edges excluded.
    const double left = 10, top = 10, right = w - 10, bottom = h - 10;
    if (right <= left || bottom <= top) return;
    if (picture.format() != QImage::Format_ARGB32 && picture.format() != QImage::Format_RGB32)
        picture =
            picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double rx = (right - left) / 2, ry = (bottom - top) / 2;
    for (int y = int(top); y < int(bottom); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const double dy = (y + 0.5 - cy) / ry;
        for (int x = int(left); x < int(right); ++x) {
            const double dx = (x + 0.5 - cx) / rx;
            if (dx * dx + dy * dy <= 1.0) line[x] ^= 0x00FFFFFFu;
        }
    }
}

} // namespace tarvo
