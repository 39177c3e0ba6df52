#include "packages/PackageFile.h"

#include <cstring>

namespace tarvo {

namespace {
// Flags of a tree node in the resource file format.
constexpr quint16 FlagCompressed = 0x01;
constexpr quint16 FlagDirectory = 0x02;
constexpr quint16 FlagCompressedZstd = 0x04;
// Names and paths are short; a longer one means the file is damaged.
constexpr quint16 MaxNameLength = 256;
constexpr int MaxDepth = 8;
} // namespace

bool PackageFile::Read32(qint64 at, quint32& v) const {
    if (at < 0 || at + 4 > size_) return false;
    const uchar* p = data_ + at;
    v = (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
    return true;
}

bool PackageFile::Read16(qint64 at, quint16& v) const {
    if (at < 0 || at + 2 > size_) return false;
    const uchar* p = data_ + at;
    v = static_cast<quint16>((p[0] << 8) | p[1]);
    return true;
}

std::optional<PackageFile> PackageFile::Parse(const uchar* data, qint64 size) {
    if (!data || size < 20 || std::memcmp(data, "qres", 4) != 0) return std::nullopt;
    PackageFile f(data, size);
    if (!f.Read32(4, f.version_) || !f.Read32(8, f.tree_) || !f.Read32(12, f.dataBase_) ||
        !f.Read32(16, f.names_))
        return std::nullopt;
    if (f.version_ < 1 || f.version_ > 3) return std::nullopt;
    auto root = f.NodeAt(0);
    if (!root || !(root->flags & FlagDirectory)) return std::nullopt;
    return f;
}

std::optional<PackageFile::Node> PackageFile::NodeAt(quint32 index) const {
    // Version 1 nodes are 14 bytes; later versions add an 8-byte modification time.
    const qint64 nodeSize = version_ >= 2 ? 22 : 14;
    const qint64 at = qint64(tree_) + qint64(index) * nodeSize;
    if (at + nodeSize > size_) return std::nullopt;
    Node n;
    if (!Read32(at, n.nameOffset) || !Read16(at + 4, n.flags)) return std::nullopt;
    if (n.flags & FlagDirectory) {
        if (!Read32(at + 6, n.childCount) || !Read32(at + 10, n.firstChild)) return std::nullopt;
    } else if (!Read32(at + 10, n.dataOffset)) {
        return std::nullopt;
    }
    return n;
}

std::optional<QString> PackageFile::NameOf(const Node& node) const {
    const qint64 at = qint64(names_) + node.nameOffset;
    quint16 length = 0;
    if (!Read16(at, length) || length > MaxNameLength) return std::nullopt;
    const qint64 chars = at + 6; // length, then a 4-byte hash, then UTF-16 big-endian
    if (chars + qint64(length) * 2 > size_) return std::nullopt;
    QString name(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i)
        name[i] = QChar(static_cast<char16_t>((data_[chars + 2 * i] << 8) | data_[chars + 2 * i + 1]));
    return name;
}

std::optional<PackageFile::Node> PackageFile::Child(const Node& dir, const QString& name) const {
    if (!(dir.flags & FlagDirectory)) return std::nullopt;
    // Children are sorted by a hash of their exact name; we compare without case, so we walk them.
    for (quint32 i = 0; i < dir.childCount; ++i) {
        auto child = NodeAt(dir.firstChild + i);
        if (!child) return std::nullopt;
        auto childName = NameOf(*child);
        if (!childName) return std::nullopt;
        if (childName->compare(name, Qt::CaseInsensitive) == 0) return child;
    }
    return std::nullopt;
}

std::optional<QByteArray> PackageFile::DataOf(const Node& node) const {
    if (node.flags & (FlagDirectory | FlagCompressedZstd)) return std::nullopt;
    const qint64 at = qint64(dataBase_) + node.dataOffset;
    quint32 length = 0;
    if (!Read32(at, length) || at + 4 + qint64(length) > size_) return std::nullopt;
    QByteArray bytes(reinterpret_cast<const char*>(data_ + at + 4), qsizetype(length));
    if (node.flags & FlagCompressed) {
        bytes = qUncompress(bytes); // empty on damaged data
        if (bytes.isEmpty()) return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> PackageFile::Find(const QString& type, const QString& name) const {
    auto root = NodeAt(0);
    if (!root) return std::nullopt;
    auto dir = Child(*root, type);
    if (!dir) return std::nullopt;
    auto file = Child(*dir, name);
    if (!file) return std::nullopt;
    return DataOf(*file);
}

void PackageFile::ListInto(const Node& dir, const QString& prefix, QStringList& out, int depth) const {
    if (depth > MaxDepth) return;
    for (quint32 i = 0; i < dir.childCount; ++i) {
        auto child = NodeAt(dir.firstChild + i);
        if (!child) return;
        auto name = NameOf(*child);
        if (!name) return;
        const QString path = prefix + '/' + *name;
        if (child->flags & FlagDirectory)
            ListInto(*child, path, out, depth + 1);
        else
            out << path;
    }
}

QStringList PackageFile::List() const {
    QStringList out;
    if (auto root = NodeAt(0)) ListInto(*root, QString(), out, 0);
    return out;
}

} // namespace tarvo
