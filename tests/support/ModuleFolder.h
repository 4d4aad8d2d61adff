// A temporary program folder holding a chosen file as Kelpo.so.
#pragma once

#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>

#include <string>

struct ModuleFolder {
    QTemporaryDir dir;

    // Copies `module` into the folder as Kelpo.so.
    explicit ModuleFolder(const QString& module = {})
    {
        if (!module.isEmpty())
            QFile::copy(module, ModulePath());
    }
    std::string Path() const { return QFile::encodeName(dir.path()).toStdString(); }
    QString ModulePath() const { return dir.filePath(QStringLiteral("Kelpo.so")); }

    template <class Fn>
    Fn Resolve(const char* name) const
    {
        QLibrary library(ModulePath());
        return reinterpret_cast<Fn>(library.resolve(name));
    }
};

inline QString FakeModulePath() { return QStringLiteral(VARNOTEK_TEST_DIR "/FakeKelpo.so"); }
inline QString RealModulePath() { return QStringLiteral(VARNOTEK_PROGRAM_DIR "/Kelpo.so"); }
