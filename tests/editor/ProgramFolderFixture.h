// A temporary program folder holding a chosen file as Kelpo.so.
#pragma once

#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>

#include <string>

#include "app/AppState.h"

struct ProgramFolderFixture {
    QTemporaryDir dir;

    // Copies `module` into the folder as Kelpo.so and makes the folder the program folder.
    explicit ProgramFolderFixture(const QString& module = {})
    {
        if (!module.isEmpty())
            QFile::copy(module, ModulePath());
        ProgramFolder = dir.path().toStdString();
    }
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
