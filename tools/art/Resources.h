// A set of named resources on its way into a resource file: written out as files with a .qrc
// that places each one at "/<TYPE>/<NAME>", names in upper case.
#pragma once

#include <QByteArray>
#include <QString>
#include <map>

namespace tarvo::art {

class ResourceSet {
  public:
    // A later picture of the same name replaces the earlier one.
    void Add(const QString& type, const QString& name, const QByteArray& bytes);
    int Size() const { return int(entries_.size()); }
    // Writes the files under `dir` and the .qrc listing them; false with a reason on failure.
    bool WriteQrc(const QString& dir, const QString& qrcPath, QString* error) const;
    // Writes a binary resource file with the given rcc program (uncompressed: the pictures are).
    bool WritePackage(const QString& rcc, const QString& workDir, const QString& packagePath,
                      QString* error) const;

  private:
    std::map<QString, QByteArray> entries_; // "TYPE/NAME" -> bytes
};

} // namespace tarvo::art
