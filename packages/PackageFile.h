// Reading a Qt binary resource file ("rcc --binary") that arrives as untrusted bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace tarvo {

// A view of one package's bytes. Every offset is checked before it is followed, so a truncated or
// damaged file yields "not found" instead of a crash; names are compared without regard to case.
// Packages can be downloaded: the tree is checked whole on opening (each node reached once, every
// child after its parent) and an entry is unpacked only to a bounded size.
class PackageFile {
  public:
    // Nullopt when the bytes do not start like a binary resource file of a version we read, or
    // when its tree is damaged.
    // The bytes must outlive the view (a mapped file, or a QByteArray held by the caller).
    static std::optional<PackageFile> Parse(const uchar* data, qint64 size);

    // The contents of "/<type>/<name>", or nullopt when absent, compressed in a way we cannot
    // undo, or damaged.
    std::optional<QByteArray> Find(const QString& type, const QString& name) const;
    // Every file path in the package ("/RCDATA/CH06B", ...), for checks and tools.
    QStringList List() const;

  private:
    PackageFile(const uchar* data, qint64 size) : data_(data), size_(size) {}

    struct Node {
        quint32 index = 0;
        quint32 nameOffset = 0;
        quint16 flags = 0;
        quint32 childCount = 0; // directories
        quint32 firstChild = 0; // directories
        quint32 dataOffset = 0; // files
    };
    std::optional<Node> NodeAt(quint32 index) const;
    bool TreeIsSound() const;
    std::optional<QString> NameOf(const Node& node) const;
    std::optional<Node> Child(const Node& dir, const QString& name) const;
    std::optional<QByteArray> DataOf(const Node& node) const;
    void ListInto(const Node& dir, const QString& prefix, QStringList& out) const;
    bool Read32(qint64 at, quint32& v) const;
    bool Read16(qint64 at, quint16& v) const;

    const uchar* data_ = nullptr;
    qint64 size_ = 0;
    quint32 version_ = 0;
    quint32 tree_ = 0;
    quint32 dataBase_ = 0;
    quint32 names_ = 0;
};

} // namespace tarvo
