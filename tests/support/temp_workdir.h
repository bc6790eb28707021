#pragma once
// Each test in a temporary working folder of its own (the record files live in the current
// directory).

#include <QDir>
#include <QTemporaryDir>

namespace test {

class TempWorkDir {
public:
    TempWorkDir() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~TempWorkDir() { QDir::setCurrent(previous_); }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

}  // namespace test
