#include "packages/PackageFile.h"

#include <cstring>
#include <vector>
#include <zlib.h>

namespace tarvo {

namespace {
// Flags of a tree node in the resource file format.
constexpr quint16 FlagCompressed = 0x01;
constexpr quint16 FlagDirectory = 0x02;
constexpr quint16 FlagCompressedZstd = 0x04;
// Names and paths are short; a longer one means the file is damaged.
constexpr quint16 MaxNameLength = 256;
// A package is "/TYPE/NAME": anything deeper is not ours.
constexpr int MaxDepth = 8;
// Our largest picture or sound is well under a megabyte. An entry claiming more than this, or
// packed much tighter than pictures and sounds ever pack, is damaged or made to exhaust memory.
constexpr quint32 MaxUnpackedSize = 32u << 20;
constexpr quint32 FreeUnpackedSize = 1u << 20; // below this any ratio is harmless
constexpr qint64 MaxPackingRatio = 100;
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
    if (!f.TreeIsSound()) return std::nullopt;
    return f;
}

// Walks the tree breadth first: a directory's children must lie after it and no node may be
// reached twice, so a damaged or hostile tree can neither loop nor multiply its paths.
bool PackageFile::TreeIsSound() const {
    const qint64 nodeSize = version_ >= 2 ? 22 : 14;
    const qint64 nodeCount = (size_ - qint64(tree_)) / nodeSize;
    auto root = NodeAt(0);
    if (nodeCount <= 0 || !root || !(root->flags & FlagDirectory)) return false;
    std::vector<bool> reached(static_cast<std::size_t>(nodeCount));
    reached[0] = true;
    std::vector<Node> dirs{*root};
    for (int depth = 0; !dirs.empty(); ++depth) {
        if (depth > MaxDepth) return false;
        std::vector<Node> next;
        for (const Node& dir : dirs) {
            if (dir.childCount == 0) continue;
            if (dir.firstChild <= dir.index || qint64(dir.firstChild) + dir.childCount > nodeCount)
                return false;
            for (quint32 i = 0; i < dir.childCount; ++i) {
                const quint32 index = dir.firstChild + i;
                if (reached[index]) return false;
                reached[index] = true;
                auto child = NodeAt(index);
                if (!child || !NameOf(*child)) return false;
                if (child->flags & FlagDirectory) next.push_back(*child);
            }
        }
        dirs = std::move(next);
    }
    return true;
}

std::optional<PackageFile::Node> PackageFile::NodeAt(quint32 index) const {
    // Version 1 nodes are 14 bytes; later versions add an 8-byte modification time.
    const qint64 nodeSize = version_ >= 2 ? 22 : 14;
    const qint64 at = qint64(tree_) + qint64(index) * nodeSize;
    if (at + nodeSize > size_) return std::nullopt;
    Node n;
    n.index = index;
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
    const uchar* packed = data_ + at + 4;
    if (!(node.flags & FlagCompressed))
        return QByteArray(reinterpret_cast<const char*>(packed), qsizetype(length));
    // A packed entry is its unpacked size (4 bytes, big-endian), then a zlib stream that must
    // give exactly that many bytes. zlib itself never writes past the buffer it is given.
    if (length < 4) return std::nullopt;
    const quint32 unpacked = (quint32(packed[0]) << 24) | (quint32(packed[1]) << 16) |
                             (quint32(packed[2]) << 8) | quint32(packed[3]);
    if (unpacked > MaxUnpackedSize ||
        (unpacked > FreeUnpackedSize && qint64(unpacked) > qint64(length - 4) * MaxPackingRatio))
        return std::nullopt;
    QByteArray bytes(qsizetype(unpacked), Qt::Uninitialized);
    uLongf written = unpacked;
    if (uncompress(reinterpret_cast<Bytef*>(bytes.data()), &written, packed + 4, length - 4) != Z_OK ||
        written != unpacked)
        return std::nullopt;
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

void PackageFile::ListInto(const Node& dir, const QString& prefix, QStringList& out) const {
    for (quint32 i = 0; i < dir.childCount; ++i) {
        auto child = NodeAt(dir.firstChild + i);
        if (!child) return;
        auto name = NameOf(*child);
        if (!name) return;
        const QString path = prefix + '/' + *name;
        if (child->flags & FlagDirectory)
            ListInto(*child, path, out);
        else
            out << path;
    }
}

QStringList PackageFile::List() const {
    QStringList out;
    if (auto root = NodeAt(0)) ListInto(*root, QString(), out);
    return out;
}

} // namespace tarvo
