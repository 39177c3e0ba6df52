// Resource packages: files that hold only named pictures and sounds, opened for one load and
// closed right after. Inside, a resource lives at "/<TYPE>/<NAME>"; names are matched without case.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <memory>
#include <optional>

#include "packages/PackageFile.h"

namespace tarvo {

// Resource types.
inline const QString RcData = QStringLiteral("RCDATA"); // PNG pictures
inline const QString Jpeg = QStringLiteral("JPEG");
inline const QString Bitmap = QStringLiteral("BITMAP"); // the small built-in cards
inline const QString Wave = QStringLiteral("WAVE");

// The package file names the game looks for.
inline const QString CardsPackageA = QStringLiteral("QobCards06A.dll");
inline const QString CardsPackageB = QStringLiteral("QobCards06B.dll");
inline const QString CardsPackageC = QStringLiteral("QobCards06C.dll");
inline const QString BackgroundPackage = QStringLiteral("QobBackG03.dll");
inline const QString GraphicsPackage = QStringLiteral("QobCGraph1.dll");

// Where packages are looked for, in this order: the program folder, the folder of the shipped
// packages, then the parent of the program folder (where downloads land).
struct PackageFolders {
    QString programFolder;
    QString shippedFolder;
};
// A folder of the program's shipped data ("packages", "help"), found from the running program's
// folder: the installed data folder (bin/../share/tarvo-trio/NAME), else NAME beside the program's
// folder, as the build tree keeps it.
QString ProgramDataFolder(const QString& name);
// The defaults follow the running program: its own folder, and its shipped "packages".
PackageFolders DefaultPackageFolders();

class Package {
  public:
    // The program's own compiled-in resources: one set for the whole process, as the platform's
    // resource system keeps them.
    static Package Program() { return Package(); }
    // The package file at `path`; nullopt when it cannot be read or is not a resource file.
    static std::optional<Package> FromFile(const QString& path);

    std::optional<QByteArray> Read(const QString& type, const QString& name) const;
    // A picture of the given type; a null image when it is absent or cannot be decoded.
    QImage ReadPicture(const QString& type, const QString& name) const;
    bool IsProgram() const { return !file_; }
    QString Path() const { return file_ ? file_->fileName() : QString(); }

  private:
    Package() = default;
    // Shared so that the package can be moved out of FromFile; the file closes with the last copy.
    std::shared_ptr<QFile> file_;
    std::optional<PackageFile> view_;
};

// Where one game finds its packages. Each game window owns one, since its program folder is its
// own data folder; two games in one process look in places of their own.
class PackageRegistry {
  public:
    // Until folders are set they follow the running program, worked out at each lookup (the
    // application object may not exist yet when the registry is made).
    PackageRegistry() = default;
    explicit PackageRegistry(PackageFolders folders) : chosen_(std::move(folders)) {}
    void SetFolders(PackageFolders folders) { chosen_ = std::move(folders); }
    PackageFolders Folders() const { return chosen_ ? *chosen_ : DefaultPackageFolders(); }

    // The path a package would be opened from, or an empty string when it is in none of the places.
    QString Find(const QString& fileName) const;
    // An empty name is the program itself. Nullopt when the file is in none of the places or is
    // not a resource file.
    std::optional<Package> Open(const QString& fileName) const;
    // One PNG (RCDATA) or JPEG picture by name; false, with no message, when the package is
    // missing or the picture is absent or unreadable, so that the caller keeps its built-in look.
    bool LoadPicture(const QString& name, const QString& package, QImage& picture) const;
    bool LoadJpeg(const QString& name, const QString& package, QImage& picture) const;

  private:
    std::optional<PackageFolders> chosen_;
};

// Faces are stored with the ellipse inscribed 10 pixels inside the border inverted (every colour
// bit flipped, alpha kept); running this again restores the face.
void InvertFaceEllipse(QImage& picture);

} // namespace tarvo
